// mervalis_screenshots EXAMPLES OUTPUT: builds the program's real window with the
// registered component, points its lists at a scratch copy of the example
// collection, and saves a picture of each page (Process after a real run), of the
// preview before the run and of the run's summary box into OUTPUT. The examples themselves are never changed.
#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QEventLoop>
#include <QTemporaryDir>
#include <QTimer>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <string>
#include <system_error>

#include <administrator/ProgramServices.h>

namespace {

namespace fs = std::filesystem;

// Lets the window settle: lists fill, the window manager maps it, paint events run.
void settle(int milliseconds = 400) {
  QEventLoop loop;
  QTimer::singleShot(milliseconds, &loop, &QEventLoop::quit);
  loop.exec();
}

bool save(QWidget& widget, const QString& path) {
  const bool saved = widget.grab().save(path, "PNG");
  std::fprintf(stderr, "%s %s\n", saved ? "saved" : "could not save", qPrintable(path));
  return saved;
}

bool check(const platform::ui::ListResult& result, const char* what) {
  if (result) return true;
  std::fprintf(stderr, "%s: %s\n", what, qPrintable(result.reason()));
  return false;
}

bool selectFile(platform::ui::FileListBox& list, const QString& name) {
  const auto found = list.findItems(name, Qt::MatchExactly);
  if (found.isEmpty()) return false;
  list.setCurrentItem(found.front());
  return list.fileName() == name;
}

// Photographs a modal dialog (the preview, the summary box) as soon as it is
// shown, then closes it.
void photographModalWhenShown(const QString& path, bool& photographed) {
  auto* poll = new QTimer;
  QObject::connect(poll, &QTimer::timeout, [poll, path, &photographed] {
    auto* box = qobject_cast<QDialog*>(QApplication::activeModalWidget());
    if (!box) return;
    poll->stop();
    poll->deleteLater();
    QTimer::singleShot(300, box, [box, path, &photographed] {
      photographed = save(*box, path);
      box->accept();
    });
  });
  poll->start(100);
}

}  // namespace

int main(int argc, char** argv) {
  QApplication application(argc, argv);
  administrator::prepareApplication();
  if (argc != 3) {
    std::fprintf(stderr, "usage: mervalis_screenshots EXAMPLES OUTPUT\n");
    return 2;
  }
  const fs::path examples = argv[1];
  const QString output = QString::fromLocal8Bit(argv[2]);
  QDir().mkpath(output);

  QTemporaryDir scratch;
  const fs::path collection = fs::path(scratch.path().toStdString()) / "Examples";
  std::error_code error;
  fs::copy(examples, collection, fs::copy_options::recursive, error);
  fs::create_directory(collection / "Filed", error);
  if (error) {
    std::fprintf(stderr, "cannot copy %s: %s\n", examples.c_str(), error.message().c_str());
    return 1;
  }
  const QString root = QString::fromStdString(collection.string());

  auto lyrebox = std::make_shared<administrator::Lyrebox1>();
  administrator::window::frmMain window(administrator::programServices(lyrebox));
  std::string why;
  lyrebox->object = administrator::createLyrebox1(window, &why);
  if (!lyrebox->object) {
    std::fprintf(stderr, "%s\n", why.c_str());
    return 1;
  }
  window.show();
  settle();

  if (!check(window.Dir1->setPath(root), "Dir1") || !selectFile(*window.File1, QStringLiteral("Catalogue.mdb")) ||
      !check(window.Dir2->setPath(root + QStringLiteral("/Music")), "Dir2") ||
      !check(window.Dir3->setPath(root + QStringLiteral("/Filed")), "Dir3")) {
    std::fprintf(stderr, "the example collection is not as expected in %s\n", qPrintable(root));
    return 1;
  }
  bool ok = true;
  window.SSTab1->setCurrentIndex(0);
  settle();
  ok = save(window, output + QStringLiteral("/database.png")) && ok;
  window.SSTab1->setCurrentIndex(1);
  settle();
  ok = save(window, output + QStringLiteral("/mp3s.png")) && ok;
  bool previewPhotographed = false;
  photographModalWhenShown(output + QStringLiteral("/preview.png"), previewPhotographed);
  window.cmdPreview->click();  // returns once the preview is closed
  ok = previewPhotographed && ok;
  window.SSTab1->setCurrentIndex(2);
  settle();

  bool summaryPhotographed = false;
  photographModalWhenShown(output + QStringLiteral("/summary.png"), summaryPhotographed);
  window.cmdGo->click();  // returns once the run has ended and its summary is closed
  settle();
  ok = save(window, output + QStringLiteral("/process.png")) && summaryPhotographed && ok;
  return ok ? 0 : 1;
}
