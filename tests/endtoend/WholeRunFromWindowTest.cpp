// The program's window with its real services: the registered component sited on
// it, the import run over real folders and a real catalogue, and its About box.
#include <gtest/gtest.h>
#include <ui/QtPendingEvents.h>

#include <QApplication>
#include <QMessageBox>
#include <QTest>
#include <QTimer>
#include <filesystem>
#include <functional>

#include "../automation/TemporaryFolder.h"
#include "../support/ModalAnswerer.h"
#include "MusicFolder.h"
#include "ProgramServices.h"

namespace mervalis {
namespace {

namespace fs = std::filesystem;

using testing_support::ModalAnswerer;

struct SeenMessage {
  QString title, text;
};

// The program as main() puts it together, in a registry of the test's own.
class ProgramWindow : public ::testing::Test {
 protected:
  void SetUp() override { platform::ui::installQtPendingEvents(); }
  void makeWindow() {
    lyrebox = std::make_shared<Lyrebox1>();
    window = std::make_unique<frmMain>(programServices(lyrebox));
    lyrebox->object = createLyrebox1(*window, &why);
  }
  void makeRegisteredWindow() {
    ASSERT_TRUE(endtoend::registerLyrebox(why)) << why;
    makeWindow();
    ASSERT_TRUE(lyrebox->object) << why;
    window->show();
  }

  RegistryInTemporaryFolder registry;
  TemporaryFolder folder;
  std::shared_ptr<Lyrebox1> lyrebox;
  std::unique_ptr<frmMain> window;
  std::string why;
};

TEST_F(ProgramWindow, ProcessFilesTheFolderAndShowsTheLogAndTheSummary) {
  makeRegisteredWindow();
  const fs::path db = folder.path() / "db", music = folder.path() / "music", filed = folder.path() / "filed";
  for (const auto& path : {db, music, filed}) fs::create_directories(path);
  endtoend::createCatalogue((db / "Catalogue.mdb").string());
  const endtoend::Tag tag{"Song A", "The Band", "First Record"};
  endtoend::writeMusicFile((music / "a.mp3").string(), &tag);
  endtoend::writeMusicFile((music / "b.mp3").string(), nullptr);

  ASSERT_TRUE(window->Dir1->setPath(QString::fromStdString(db.string())));
  window->File1->setCurrentRow(0);
  ASSERT_EQ(window->File1->fileName(), QStringLiteral("Catalogue.mdb"));
  ASSERT_TRUE(window->Dir2->setPath(QString::fromStdString(music.string())));
  ASSERT_TRUE(window->Dir3->setPath(QString::fromStdString(filed.string())));
  window->SSTab1->setCurrentIndex(2);

  SeenMessage summary;
  ModalAnswerer answerer([&](QWidget* modal) {
    auto* box = qobject_cast<QMessageBox*>(modal);
    ASSERT_NE(box, nullptr);
    summary = {box->windowTitle(), box->text()};
    box->accept();
  });
  QTest::mouseClick(window->cmdGo, Qt::LeftButton);

  ASSERT_EQ(answerer.answered, 1);
  EXPECT_EQ(summary.title, QStringLiteral("Mervalis"));
  EXPECT_EQ(summary.text, QStringLiteral("\r\n") + QString::fromStdString(music.string()) +
                              QStringLiteral("/b.mp3 - No Title"));
  EXPECT_EQ(window->lbllog->caption(), QStringLiteral("\r\na.mp3\r\nb.mp3 Error - No Title"));
  const fs::path target = filed / "The Band" / "First Record" / "Song A.mp3";
  EXPECT_TRUE(fs::exists(target));
  EXPECT_FALSE(fs::exists(music / "a.mp3"));
  EXPECT_TRUE(fs::exists(music / "b.mp3"));
  EXPECT_EQ(endtoend::catalogueRows((db / "Catalogue.mdb").string()),
            (std::vector<endtoend::CatalogueRow>{{"Song A", "The Band", "First Record", target.string()}}));
  EXPECT_EQ(window->SSTab1->currentIndex(), 2);
  EXPECT_TRUE(window->isVisible());
}

TEST_F(ProgramWindow, WithoutRegistrationTheComponentIsNotMadeAndTheReasonNamesItsClass) {
  makeWindow();
  EXPECT_FALSE(lyrebox->object);
  EXPECT_NE(why.find("prjLyrebox.Lyrebox"), std::string::npos) << why;
}

TEST_F(ProgramWindow, AboutHidesTheWindowWhileItsBoxIsShownAndBringsItBackOnTheSamePage) {
  makeRegisteredWindow();
  window->SSTab1->setCurrentIndex(2);
  bool visibleDuringAbout = true;
  QString boxTitle;
  ModalAnswerer answerer([&](QWidget* modal) {
    visibleDuringAbout = window->isVisible();
    boxTitle = modal->windowTitle();
    modal->close();
  });
  QTest::mouseClick(window->cmdAboutLyrebox, Qt::LeftButton);

  ASSERT_EQ(answerer.answered, 1);
  EXPECT_FALSE(boxTitle.isEmpty());
  EXPECT_FALSE(visibleDuringAbout);
  EXPECT_TRUE(window->isVisible());
  EXPECT_EQ(window->SSTab1->currentIndex(), 2);
}

}  // namespace
}  // namespace mervalis
