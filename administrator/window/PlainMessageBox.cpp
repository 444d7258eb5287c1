#include <administrator/window/PlainMessageBox.h>

#include <QPushButton>

namespace administrator::window {

bool showPlainMessage(QWidget* parent, QMessageBox::Icon icon, const QString& text, const QString& details,
                      const QString& otherButton) {
  QMessageBox box(icon, QStringLiteral("Mervalis"), text, QMessageBox::Ok, parent);
  QAbstractButton* other = otherButton.isEmpty() ? nullptr : box.addButton(otherButton, QMessageBox::ActionRole);
  box.setTextFormat(Qt::PlainText);
  // A screen reader announces a dialog by its title; the text goes with it.
  box.setAccessibleName(box.windowTitle());
  box.setAccessibleDescription(text);
  if (!details.isEmpty()) box.setDetailedText(details);
  box.exec();
  return other && box.clickedButton() == other;
}

}  // namespace administrator::window
