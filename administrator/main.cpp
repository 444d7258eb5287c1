// Mervalis: files a folder of MP3s into a catalogue and an artist/album folder tree.
#include <QApplication>
#include <QFileInfo>

#include <administrator/commandline/CommandLineRun.h>

#include <administrator/ProgramServices.h>
#include <administrator/window/PlainMessageBox.h>

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
  // Commands other than the window need no display: no application object is made.
  const administrator::commandline::CommandLine line =
      administrator::commandline::parseCommandLine(std::vector<std::string>(argv + 1, argv + argc));
  if (line.action != administrator::commandline::CommandLine::Action::Window)
    return administrator::commandline::runCommandLine(line);

  QApplication application(argc, argv);
  administrator::prepareApplication();

  auto lyrebox = std::make_shared<administrator::Lyrebox1>();
  administrator::window::frmMain window(administrator::programServices(lyrebox));
  std::string why;
  lyrebox->object = administrator::createLyrebox1(window, &why);
  if (!lyrebox->object) {
    administrator::window::showPlainMessage(nullptr, QMessageBox::Critical, registrationHelp(why));
    return 1;
  }
  window.show();
  return application.exec();
}
