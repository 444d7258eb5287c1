// Stop, clicked in the program's window while its run reads the first tag through
// the registered component.
#include <gtest/gtest.h>
#include <platform/ui/QtPendingEvents.h>

#include <QMessageBox>
#include <QTest>
#include <QTimer>
#include <filesystem>

#include <tests/support/TemporaryFolder.h>
#include <tests/support/ModalAnswerer.h>
#include <tests/endtoend/MusicFolder.h>
#include <administrator/ProgramServices.h>

using namespace administrator;
using namespace administrator::window;

namespace {

namespace fs = std::filesystem;

TEST(StopFromWindow, AClickOnStopFilesTheFileInHandAndLeavesTheRestWhereItIs) {
  platform::ui::installQtPendingEvents();
  tests::support::RegistryInTemporaryFolder registry;
  tests::support::TemporaryFolder folder;
  std::string why;
  ASSERT_TRUE(tests::endtoend::registerLyrebox(why)) << why;
  auto lyrebox = std::make_shared<Lyrebox1>();
  frmMain window(programServices(lyrebox));
  lyrebox->object = createLyrebox1(window, &why);
  ASSERT_TRUE(lyrebox->object) << why;
  window.show();
  const fs::path music = folder.path() / "music", filed = folder.path() / "filed";
  const fs::path catalogue = folder.path() / "Catalogue.mdb";
  for (const auto& path : {music, filed}) fs::create_directories(path);
  tests::endtoend::createCatalogue(catalogue.string());
  for (const std::string title : {"A", "B", "C", "D"}) {
    const tests::endtoend::Tag tag{title, "Band", "Record"};
    tests::endtoend::writeMusicFile((music / (title + ".mp3")).string(), &tag);
  }
  ASSERT_TRUE(window.Dir1->setPath(QString::fromStdString(folder.path().string())));
  window.File1->setCurrentRow(0);
  ASSERT_TRUE(window.Dir2->setPath(QString::fromStdString(music.string())));
  ASSERT_TRUE(window.Dir3->setPath(QString::fromStdString(filed.string())));
  window.SSTab1->setCurrentIndex(2);

  // Fires in the run's first pass of the event loop: the component's, reading A.
  QString captionClicked;
  QTimer::singleShot(0, &window, [&] {
    captionClicked = window.cmdGo->text();
    QTest::mouseClick(window.cmdGo, Qt::LeftButton);
  });
  QString summary;
  tests::support::ModalAnswerer answerer([&](QWidget* modal) {
    summary = static_cast<QMessageBox*>(modal)->text();
    static_cast<QMessageBox*>(modal)->accept();
  });
  QTest::mouseClick(window.cmdGo, Qt::LeftButton);
  platform::events::setPendingEventsHandler({});

  EXPECT_EQ(captionClicked, QStringLiteral("Stop"));
  EXPECT_EQ(summary,
            QStringLiteral("\r\nStopped after 1 of 4 files. The remaining 3 files were not visited and stay where they "
                           "are."));
  const fs::path target = filed / "Band" / "Record" / "A.mp3";
  EXPECT_EQ(tests::endtoend::catalogueRows(catalogue.string()),
            (std::vector<tests::endtoend::CatalogueRow>{{"A", "Band", "Record", target.string()}}));
  EXPECT_TRUE(fs::exists(target));
  for (const char* left : {"B.mp3", "C.mp3", "D.mp3"}) EXPECT_TRUE(fs::exists(music / left)) << left;
  EXPECT_EQ(window.cmdGo->text(), QStringLiteral("Process"));
  EXPECT_EQ(window.windowTitle(), QStringLiteral("Mervalis"));
}

}  // namespace
