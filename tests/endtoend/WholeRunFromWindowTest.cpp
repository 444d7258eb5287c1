// The program's window with its real services: the registered component sited on
// it, the import run over real folders and a real catalogue, and its About box.
#include <gtest/gtest.h>
#include <platform/ui/QtPendingEvents.h>

#include <sys/stat.h>

#include <QApplication>
#include <QClipboard>
#include <QDialog>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>
#include <QTimer>
#include <filesystem>
#include <functional>
#include <map>
#include <set>

#include <tests/support/TemporaryFolder.h>
#include <tests/support/ModalAnswerer.h>
#include <tests/endtoend/MusicFolder.h>
#include <administrator/ProgramServices.h>

using namespace administrator;
using namespace administrator::window;

namespace {

namespace fs = std::filesystem;

using tests::support::ModalAnswerer;

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
    ASSERT_TRUE(tests::endtoend::registerLyrebox(why)) << why;
    makeWindow();
    ASSERT_TRUE(lyrebox->object) << why;
    window->show();
  }

  tests::support::RegistryInTemporaryFolder registry;
  tests::support::TemporaryFolder folder;
  // A catalogue and the folders of a run, "a.mp3" tagged in the source.
  void makeRunFolders() {
    for (const auto& path : {db, music, filed}) fs::create_directories(path);
    tests::endtoend::createCatalogue((db / "Catalogue.mdb").string());
    const tests::endtoend::Tag tag{"Song A", "The Band", "First Record"};
    tests::endtoend::writeMusicFile((music / "a.mp3").string(), &tag);
  }

  std::shared_ptr<Lyrebox1> lyrebox;
  std::unique_ptr<frmMain> window;
  std::string why;
  const fs::path db = folder.path() / "db", music = folder.path() / "music", filed = folder.path() / "filed";
};

TEST_F(ProgramWindow, ProcessFilesTheFolderAndShowsTheLogAndTheSummary) {
  makeRegisteredWindow();
  makeRunFolders();
  tests::endtoend::writeMusicFile((music / "b.mp3").string(), nullptr);

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
  EXPECT_EQ(summary.text,
            QStringLiteral("\r\n") + QString::fromStdString(music.string()) + QStringLiteral("/b.mp3 - No Title"));
  EXPECT_EQ(window->lbllog->caption(), QStringLiteral("\r\na.mp3\r\nb.mp3 Error - No Title"));
  const fs::path target = filed / "The Band" / "First Record" / "Song A.mp3";
  EXPECT_TRUE(fs::exists(target));
  EXPECT_FALSE(fs::exists(music / "a.mp3"));
  EXPECT_TRUE(fs::exists(music / "b.mp3"));
  EXPECT_EQ(tests::endtoend::catalogueRows((db / "Catalogue.mdb").string()),
            (std::vector<tests::endtoend::CatalogueRow>{{"Song A", "The Band", "First Record", target.string()}}));
  EXPECT_EQ(window->SSTab1->currentIndex(), 2);
  EXPECT_TRUE(window->isVisible());
}

// The summary box of a run that filed files offers to undo it; the undo's own
// box offers nothing more, and a run that filed nothing offers no undo.
TEST_F(ProgramWindow, TheSummaryBoxUndoesTheRunItSumsUp) {
  makeRegisteredWindow();
  makeRunFolders();
  const std::string bytes = tests::endtoend::readWholeFile((music / "a.mp3").string());
  ASSERT_TRUE(window->Dir1->setPath(QString::fromStdString(db.string())));
  window->File1->setCurrentRow(0);
  ASSERT_TRUE(window->Dir2->setPath(QString::fromStdString(music.string())));
  ASSERT_TRUE(window->Dir3->setPath(QString::fromStdString(filed.string())));
  window->SSTab1->setCurrentIndex(2);

  std::vector<QStringList> buttonsSeen;
  QString undoText;
  QTimer answerer;
  answerer.setInterval(5);
  QObject::connect(&answerer, &QTimer::timeout, [&] {
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    if (!box || !box->isVisible()) return;
    QStringList captions;
    QAbstractButton* undo = nullptr;
    for (QAbstractButton* button : box->buttons()) {
      captions << button->text();
      if (button->text() == QStringLiteral("Undo this run")) undo = button;
    }
    buttonsSeen.push_back(captions);
    if (!undo) undoText = box->text();
    undo ? undo->click() : box->accept();
  });
  answerer.start();
  QTest::mouseClick(window->cmdGo, Qt::LeftButton);
  ASSERT_EQ(buttonsSeen.size(), 2u);
  EXPECT_EQ(buttonsSeen[0].size(), 2);
  EXPECT_EQ(buttonsSeen[1].size(), 1);
  EXPECT_NE(undoText.indexOf(QStringLiteral("1 file moved back, 0 left as they are")), -1) << undoText.toStdString();
  EXPECT_EQ(tests::endtoend::readWholeFile((music / "a.mp3").string()), bytes);
  EXPECT_FALSE(fs::exists(filed / "The Band"));
  EXPECT_TRUE(tests::endtoend::catalogueRows((db / "Catalogue.mdb").string()).empty());

  // Nothing filed this time: the box has OK alone.
  fs::remove(music / "a.mp3");
  buttonsSeen.clear();
  QTest::mouseClick(window->cmdGo, Qt::LeftButton);
  ASSERT_EQ(buttonsSeen.size(), 1u);
  EXPECT_EQ(buttonsSeen[0].size(), 1);
}

// Every entry below a folder (links not followed) with its kind, size and times
// of change to the nanosecond: a preview that wrote, made or moved anything, even
// a side file it removed again, changes it.
std::map<std::string, std::string> treeState(const fs::path& root) {
  std::map<std::string, std::string> state;
  auto note = [&state, &root](const fs::path& path) {
    struct stat info {};
    if (::lstat(path.c_str(), &info) != 0) throw std::runtime_error("cannot look at " + path.string());
    state[fs::relative(path, root).string()] = std::to_string(info.st_mode) + " " + std::to_string(info.st_size) + " " +
                                               std::to_string(info.st_mtim.tv_sec) + "." +
                                               std::to_string(info.st_mtim.tv_nsec);
  };
  note(root);
  for (const auto& entry : fs::recursive_directory_iterator(root)) note(entry.path());
  return state;
}

struct PreviewShown {
  struct Row {
    std::string name, folder, outcome;
  };
  std::vector<Row> rows;
  QString counts, copied;
  bool noticeShown = true;
};

// Every kind of decision a run makes, then the preview, then the run itself: the
// preview says exactly what the run does, file by file, in its words.
TEST_F(ProgramWindow, PreviewSaysWhatTheRunThenDoesAndTouchesNothing) {
  makeRegisteredWindow();
  for (const auto& path : {db, music / "live", filed / "The Band" / "First Record"}) fs::create_directories(path);
  const fs::path catalogue = db / "Catalogue.mdb";
  tests::endtoend::createCatalogue(catalogue.string());
  const tests::endtoend::Tag songA{"Song A", "The Band", "First Record"}, noAlbum{"Song D", "The Band", ""},
      there{"Song E", "The Band", "First Record"}, noArtist{"Song G", "", "Live"}, live{"Song F", "Others", "Live"};
  tests::endtoend::writeMusicFile((music / "a.mp3").string(), &songA);
  tests::endtoend::writeMusicFile((music / "b.mp3").string(), nullptr);
  tests::endtoend::writeMusicFile((music / "c.mp3").string(), &songA);  // the target a.mp3 takes first
  tests::endtoend::writeMusicFile((music / "d.mp3").string(), &noAlbum);
  tests::endtoend::writeMusicFile((music / "e.mp3").string(), &there);
  tests::endtoend::writeMusicFile((filed / "The Band" / "First Record" / "Song E.mp3").string(), &there);
  tests::endtoend::writeMusicFile((music / "live" / "f.mp3").string(), &live);
  tests::endtoend::writeMusicFile((music / "live" / "g.mp3").string(), &noArtist);
  fs::create_symlink(music / "a.mp3", music / "link.mp3");

  ASSERT_TRUE(window->Dir1->setPath(QString::fromStdString(db.string())));
  window->File1->setCurrentRow(0);
  ASSERT_TRUE(window->Dir2->setPath(QString::fromStdString(music.string())));
  ASSERT_TRUE(window->Dir3->setPath(QString::fromStdString(filed.string())));
  window->SSTab1->setCurrentIndex(1);

  const auto before = treeState(folder.path());
  const std::string catalogueBytes = tests::endtoend::readWholeFile(catalogue.string());
  PreviewShown shown;
  {
    ModalAnswerer answerer([&](QWidget* modal) {
      auto* dialog = qobject_cast<QDialog*>(modal);
      ASSERT_NE(dialog, nullptr);
      auto* table = dialog->findChild<QTableWidget*>(QStringLiteral("grdPlan"));
      ASSERT_NE(table, nullptr);
      for (int row = 0; row < table->rowCount(); ++row)
        shown.rows.push_back({table->item(row, 1)->text().toStdString(), table->item(row, 2)->text().toStdString(),
                              table->item(row, 3)->text().toStdString()});
      shown.counts = dialog->findChild<QLabel*>(QStringLiteral("lblCounts"))->text();
      shown.noticeShown = !dialog->findChild<QLabel*>(QStringLiteral("lblNotice"))->isHidden();
      dialog->findChild<QPushButton*>(QStringLiteral("cmdCopy"))->click();
      shown.copied = QApplication::clipboard()->text();
      dialog->findChild<QPushButton*>(QStringLiteral("cmdClose"))->click();
    });
    QTest::mouseClick(window->cmdPreview, Qt::LeftButton);
    ASSERT_EQ(answerer.answered, 1);
  }
  EXPECT_EQ(treeState(folder.path()), before);
  EXPECT_EQ(tests::endtoend::readWholeFile(catalogue.string()), catalogueBytes);
  EXPECT_FALSE(shown.noticeShown);
  EXPECT_EQ(shown.counts.toStdString(), "2 files will be filed, 6 left where they are");
  // The corpus holds every kind of decision, in visiting order.
  const char* kinds[] = {"Filed to",       "No Title",      "is taken by", "No Album",
                         "already exists", "symbolic link", "Filed to",    "No Artist"};
  ASSERT_EQ(shown.rows.size(), std::size(kinds));
  for (std::size_t i = 0; i < std::size(kinds); ++i)
    EXPECT_NE(shown.rows[i].outcome.find(kinds[i]), std::string::npos) << shown.rows[i].outcome;

  QString summary;
  {
    ModalAnswerer answerer([&](QWidget* modal) {
      auto* box = qobject_cast<QMessageBox*>(modal);
      ASSERT_NE(box, nullptr);
      summary = box->text();
      box->accept();
    });
    window->SSTab1->setCurrentIndex(2);
    QTest::mouseClick(window->cmdGo, Qt::LeftButton);
    ASSERT_EQ(answerer.answered, 1);
  }

  // The log names each file as the preview listed it, with the preview's reason
  // for each one left; the summary is the one the preview copied.
  QString expectedLog;
  std::vector<tests::endtoend::CatalogueRow> expectedRows;
  const std::string filedTo = "Filed to \"";
  for (const auto& row : shown.rows) {
    SCOPED_TRACE(row.name);
    const fs::path source = music / row.folder / row.name;
    expectedLog += QStringLiteral("\r\n") + QString::fromStdString(row.name);
    if (row.outcome.rfind(filedTo, 0) == 0) {
      const fs::path target = filed / row.outcome.substr(filedTo.size(), row.outcome.size() - filedTo.size() - 1);
      EXPECT_TRUE(fs::exists(target)) << target;
      EXPECT_FALSE(fs::exists(fs::symlink_status(source))) << source;
      expectedRows.push_back({target.stem().string(), target.parent_path().parent_path().filename().string(),
                              target.parent_path().filename().string(), target.string()});
    } else {
      EXPECT_TRUE(fs::exists(fs::symlink_status(source))) << source;
      expectedLog += QStringLiteral(" Error - ") + QString::fromStdString(row.outcome);
    }
  }
  EXPECT_EQ(window->lbllog->caption().toStdString(), expectedLog.toStdString());
  EXPECT_EQ(tests::endtoend::catalogueRows(catalogue.string()), expectedRows);
  EXPECT_EQ((shown.counts + summary).toStdString(), shown.copied.toStdString());
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
