// Mervalis: files a folder of MP3s into a catalogue and an artist/album folder tree.
#include <automation/ControlSite.h>
#include <ui/QtPendingEvents.h>

#include <QApplication>
#include <QFileInfo>
#include <QMessageBox>

#include "ProgramServices.h"
#include "window/WindowDispatch.h"

namespace {

QString registrationHelp(const std::string& why) {
  const QString beside = QCoreApplication::applicationDirPath() + QStringLiteral("/Lyrebox.ocx");
  const QString library = QFileInfo::exists(beside) ? beside : QStringLiteral("/path/to/Lyrebox.ocx");
  return QStringLiteral(
             "The tag component Lyrebox (prjLyrebox.Lyrebox) is not registered or cannot be loaded:\n\n%1\n\n"
             "Register it with:\n    regsvr %2\nthen start Mervalis again.")
      .arg(QString::fromStdString(why), library);
}

}  // namespace

int main(int argc, char** argv) {
  QApplication application(argc, argv);
  QApplication::setApplicationName(QStringLiteral("Mervalis"));
  QApplication::setApplicationDisplayName(QStringLiteral("Mervalis"));
  platform::ui::installQtPendingEvents();

  std::string why;
  const auto lyrebox = mervalis::createLyrebox1(&why);
  if (!lyrebox) {
    QMessageBox::critical(nullptr, QStringLiteral("Mervalis"), registrationHelp(why));
    return 1;
  }
  mervalis::frmMain window(mervalis::programServices(lyrebox));
  window.show();
  return application.exec();
}
