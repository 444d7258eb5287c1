#include <administrator/window/frmMain.h>
#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QMessageBox>
#include <QTabBar>
#include <QTest>
#include <QMessageBox>
#include <QTimer>
#include <filesystem>
#include <fstream>
#include <platform/ui/FolderReading.h>

#include <tests/support/ModalAnswerer.h>
#include <tests/support/TemporaryFolder.h>

#include <tests/window/WindowTestSupport.h>

using namespace administrator::importrun;

namespace {

class FrmMainTest : public ::testing::Test, protected tests::window::CountingWindow {
 protected:
  void SetUp() override {
    runLog = {u"\r\na.mp3", u"\r\nb.mp3 Error - No Title"};
    window->show();
  }
  QString makeFolder(const QString& name) {
    QDir(folderPath).mkpath(name);
    return QDir(folderPath).filePath(name);
  }
  void touch(const QString& path) { std::ofstream(path.toStdString()) << "x"; }
  int page() const { return window->SSTab1->currentIndex(); }

  tests::support::TemporaryFolder folder;
  const QString folderPath = QString::fromStdString(folder.path().string());
};

TEST_F(FrmMainTest, StartsOnDatabaseAndNavigationButtonsOnlySetThePage) {
  EXPECT_EQ(page(), 0);
  EXPECT_EQ(window->windowTitle(), QStringLiteral("Mervalis"));
  QStringList captions;
  for (int i = 0; i < window->SSTab1->count(); ++i) captions << window->SSTab1->tabText(i);
  EXPECT_EQ(captions, (QStringList{"Database", "MP3's", "Process"}));

  struct Step {
    QPushButton* button;
    int expectedPage;
  };
  const Step steps[] = {{window->cmdNext1, 1}, {window->cmdNext2, 1}, {window->cmdPrev2, 0}};
  for (const auto& step : steps) {
    QTest::mouseClick(step.button, Qt::LeftButton);
    EXPECT_EQ(page(), step.expectedPage) << step.button->text().toStdString();
  }
  window->SSTab1->tabBar()->setCurrentIndex(2);
  QTest::mouseClick(window->cmdPrev3, Qt::LeftButton);
  EXPECT_EQ(page(), 1);
}

TEST_F(FrmMainTest, OnlyTheCurrentPagesControlsAreShownAndTheComponentNever) {
  for (int p = 0; p < 3; ++p) {
    window->SSTab1->setCurrentIndex(p);
    EXPECT_EQ(window->cmdNext1->isVisible(), p == 0);
    EXPECT_EQ(window->Dir2->isVisible(), p == 1);
    EXPECT_EQ(window->lbllog->isVisible(), p == 2);
    EXPECT_FALSE(window->Lyrebox1->isVisible());
  }
  EXPECT_EQ(window->Lyrebox1->focusPolicy(), Qt::NoFocus);
}

TEST_F(FrmMainTest, FileListsUseTheirPatterns) {
  EXPECT_EQ(window->File1->pattern(), QStringLiteral("*.mdb"));
  EXPECT_EQ(window->File2->pattern(), QStringLiteral("*.mp3"));
}

TEST_F(FrmMainTest, SourceFolderMovesItsFilesAndTheDestinationButNotTheOtherWayRound) {
  const QString source = makeFolder("music"), other = makeFolder("elsewhere");
  ASSERT_TRUE(window->Dir2->setPath(source));
  EXPECT_EQ(window->File2->path(), source);
  EXPECT_EQ(window->Dir3->path(), source);

  ASSERT_TRUE(window->Dir3->setPath(other));
  EXPECT_EQ(window->Dir2->path(), source);
  EXPECT_EQ(window->File2->path(), source);
}

TEST_F(FrmMainTest, DatabaseFolderMovesTheCatalogueList) {
  const QString db = makeFolder("db");
  touch(db + "/Catalogue.mdb");
  touch(db + "/notes.txt");
  ASSERT_TRUE(window->Dir1->setPath(db));
  EXPECT_EQ(window->File1->path(), db);
  ASSERT_EQ(window->File1->count(), 1);
  EXPECT_EQ(window->File1->item(0)->text(), QStringLiteral("Catalogue.mdb"));
}

TEST_F(FrmMainTest, ProcessReadsItsInputsOnceAndLogsWhatTheRunWrites) {
  const QString db = makeFolder("db"), source = makeFolder("music");
  touch(db + "/Catalogue.mdb");
  ASSERT_TRUE(window->Dir1->setPath(db));
  window->File1->setCurrentRow(0);
  ASSERT_TRUE(window->Dir2->setPath(source));
  window->SSTab1->setCurrentIndex(2);
  QTest::mouseClick(window->cmdGo, Qt::LeftButton);
  EXPECT_EQ(runs, 1);
  EXPECT_EQ(lastInputs.cataloguePath, (db + "/Catalogue.mdb").toStdString());
  EXPECT_EQ(lastInputs.sourceFolder, source.toStdString());
  EXPECT_EQ(lastInputs.destinationRoot, source.toStdString());
  EXPECT_EQ(window->lbllog->caption(), QStringLiteral("\r\na.mp3\r\nb.mp3 Error - No Title"));
  // The run's end shows the whole log at once, without waiting for the view's refresh.
  EXPECT_EQ(window->lbllog->toPlainText(), QStringLiteral("\na.mp3\nb.mp3 Error - No Title"));
}

// Folders and a catalogue whose names are not UTF-8, chosen as a person does: the
// parent set, then the folder opened from the list. The run gets their exact bytes.
TEST_F(FrmMainTest, ProcessHandsTheRunTheBytesOfNamesThatAreNotUtf8) {
  const std::string root = folder.path().string();
  const std::string db = root + "/db\xE9", source = root + "/music\xFF", destination = root + "/filed\xE9t\xE9";
  for (const std::string& made : {db, source, destination}) std::filesystem::create_directory(made);
  std::ofstream(db + "/cat\xE9.mdb") << "x";
  QStringList warnings;  // a refused folder's message box, read and closed
  auto openOnly = [&](platform::ui::DirListBox* list, const std::string& name) {
    ASSERT_TRUE(list->setPath(folderPath));
    const auto found = list->findItems(platform::ui::toQString(name), Qt::MatchExactly);
    ASSERT_EQ(found.size(), 1);
    list->setCurrentItem(found.front());
    QTimer::singleShot(0, list, [&warnings] {
      if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
        warnings << box->text();
        box->reject();
      }
    });
    QTest::keyClick(list, Qt::Key_Return);
  };
  window->SSTab1->setCurrentIndex(0);
  openOnly(window->Dir1, "db\xE9");
  ASSERT_EQ(window->File1->count(), 1);
  window->File1->setCurrentRow(0);
  window->SSTab1->setCurrentIndex(1);
  openOnly(window->Dir2, "music\xFF");
  openOnly(window->Dir3, "filed\xE9t\xE9");
  window->SSTab1->setCurrentIndex(2);
  QTest::mouseClick(window->cmdGo, Qt::LeftButton);
  EXPECT_EQ(warnings, QStringList());
  ASSERT_EQ(runs, 1);
  EXPECT_EQ(lastInputs.cataloguePath, db + "/cat\xE9.mdb");
  EXPECT_EQ(lastInputs.sourceFolder, source);
  EXPECT_EQ(lastInputs.destinationRoot, destination);
}

TEST_F(FrmMainTest, DuringARunNothingCanStartChangeOrEndAnything) {
  window->SSTab1->setCurrentIndex(2);
  duringRun = [this](RunView&) {
    QTest::mouseClick(window->cmdGo, Qt::LeftButton);
    QTest::mouseClick(window->cmdExit3, Qt::LeftButton);
    QTest::mouseClick(window->cmdAboutLyrebox, Qt::LeftButton);
    QTest::mouseClick(window->cmdPrev3, Qt::LeftButton);
    QTest::keyClick(window->SSTab1->tabBar(), Qt::Key_Left);
    EXPECT_FALSE(window->close());
    EXPECT_TRUE(window->isVisible());
  };
  QTest::mouseClick(window->cmdGo, Qt::LeftButton);
  EXPECT_EQ(runs, 1);
  EXPECT_EQ(quits, 0);
  EXPECT_EQ(abouts, 0);
  // The close asked for during the run is carried out once it has ended.
  EXPECT_FALSE(window->isVisible());
}

TEST_F(FrmMainTest, ExitAndAboutButtonsWorkWhenIdle) {
  QTest::mouseClick(window->cmdExit1, Qt::LeftButton);
  window->SSTab1->setCurrentIndex(2);
  QTest::mouseClick(window->cmdExit3, Qt::LeftButton);
  QTest::mouseClick(window->cmdAboutLyrebox, Qt::LeftButton);
  EXPECT_EQ(quits, 2);
  EXPECT_EQ(abouts, 1);
}

// Names of files and folders are legal with markup in them: every message shows
// them literally, as its text stands.
TEST_F(FrmMainTest, MessagesShowNamesAsTheyStand) {
  const QString markup = QStringLiteral("<b>Intro &amp; <br>Outro\nB.mp3");
  struct Case {
    const char* what;
    std::function<void()> show;
  } cases[] = {
      {"summary",
       [&] {
         summary = u"\r\n/src/" + markup.toStdU16String() + u" - No Title";
         window->SSTab1->setCurrentIndex(2);
         QTest::mouseClick(window->cmdGo, Qt::LeftButton);
       }},
      {"list error",
       [&] {
         // A folder that goes between the listing and the person's choice of it.
         const QString gone = makeFolder(markup);
         ASSERT_TRUE(window->Dir1->setPath(folderPath));
         const auto items = window->Dir1->findItems(markup, Qt::MatchExactly);
         ASSERT_EQ(items.size(), 1);
         window->Dir1->setCurrentItem(items[0]);
         QDir(gone).removeRecursively();
         QTest::keyClick(window->Dir1, Qt::Key_Return);
       }},
      {"About error",
       [&] {
         aboutError = QStringLiteral("The About box failed on ") + markup;
         window->SSTab1->setCurrentIndex(2);
         QTest::mouseClick(window->cmdAboutLyrebox, Qt::LeftButton);
       }},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    QString shown;
    Qt::TextFormat format = Qt::AutoText;
    tests::support::ModalAnswerer answerer([&](QWidget* modal) {
      auto* box = qobject_cast<QMessageBox*>(modal);
      ASSERT_NE(box, nullptr);
      shown = box->text();
      format = box->textFormat();
      box->accept();
    });
    c.show();
    ASSERT_EQ(answerer.answered, 1);
    EXPECT_TRUE(shown.contains(markup)) << shown.toStdString();
    EXPECT_EQ(format, Qt::PlainText);
  }
}

}  // namespace
