#include "PlainMessageBox.h"

namespace mervalis {

void showPlainMessage(QWidget* parent, QMessageBox::Icon icon, const QString& text, const QString& details) {
  QMessageBox box(icon, QStringLiteral("Mervalis"), text, QMessageBox::Ok, parent);
  box.setTextFormat(Qt::PlainText);
  // A screen reader announces a dialog by its title; the text goes with it.
  box.setAccessibleName(box.windowTitle());
  box.setAccessibleDescription(text);
  if (!details.isEmpty()) box.setDetailedText(details);
  box.exec();
}

}  // namespace mervalis
