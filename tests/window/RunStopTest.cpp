// The window during a run: Process becomes Stop, the one control that acts, and
// the title tells how far the run has got.
#include <platform/events/PendingEvents.h>
#include <administrator/window/frmMain.h>
#include <gtest/gtest.h>
#include <platform/ui/QtPendingEvents.h>

#include <QMessageBox>
#include <QTabBar>
#include <QTest>
#include <functional>
#include <memory>

#include <tests/support/ModalAnswerer.h>

#include <tests/window/WindowTestSupport.h>

using namespace administrator::importrun;

namespace {

class RunStopTest : public ::testing::Test, protected tests::window::CountingWindow {
 protected:
  void SetUp() override {
    window->show();
    window->SSTab1->setCurrentIndex(2);
  }
  void TearDown() override { platform::events::setPendingEventsHandler({}); }
};

// Whichever way the person presses it, Stop is the one thing a run takes in: the
// other buttons, the pages and the keys stay as still as before.
TEST_F(RunStopTest, DuringARunOnlyStopActsAndTheButtonReadsStopUntilTheEnd) {
  struct Press {
    const char* how;
    std::function<void(QPushButton*)> press;
  } presses[] = {
      {"a click", [](QPushButton* button) { QTest::mouseClick(button, Qt::LeftButton); }},
      {"the Space key",
       [](QPushButton* button) {
         button->setFocus();
         QTest::keyClick(button, Qt::Key_Space);
       }},
  };
  for (const auto& press : presses) {
    SCOPED_TRACE(press.how);
    bool stoppedBeforePress = true, stoppedAfterPress = false;
    QString caption;
    duringRun = [&](RunView& view) {
      caption = window->cmdGo->text();
      QTest::mouseClick(window->cmdExit3, Qt::LeftButton);
      QTest::mouseClick(window->cmdAboutLyrebox, Qt::LeftButton);
      QTest::mouseClick(window->cmdPrev3, Qt::LeftButton);
      QTest::keyClick(window->SSTab1->tabBar(), Qt::Key_Left);
      QTest::keyClick(window->cmdGo, Qt::Key_Tab);
      QTest::keyClick(window->cmdGo, Qt::Key_Left);
      stoppedBeforePress = view.stopRequested();
      press.press(window->cmdGo);
      stoppedAfterPress = view.stopRequested();
    };
    const int runsBefore = runs;
    QTest::mouseClick(window->cmdGo, Qt::LeftButton);

    EXPECT_EQ(caption, QStringLiteral("Stop"));
    EXPECT_FALSE(stoppedBeforePress);
    EXPECT_TRUE(stoppedAfterPress);
    EXPECT_EQ(runs, runsBefore + 1);
    EXPECT_EQ(window->cmdGo->text(), QStringLiteral("Process"));
    EXPECT_EQ(window->SSTab1->currentIndex(), 2);
    EXPECT_EQ(quits, 0);
    EXPECT_EQ(abouts, 0);
  }
  // A new run starts without the last one's request; a title-bar close still waits.
  bool stoppedAtStart = true;
  bool closedDuringRun = true;
  duringRun = [&](RunView& view) {
    stoppedAtStart = view.stopRequested();
    closedDuringRun = window->close();
  };
  QTest::mouseClick(window->cmdGo, Qt::LeftButton);
  EXPECT_FALSE(stoppedAtStart);
  EXPECT_FALSE(closedDuringRun);
  EXPECT_FALSE(window->isVisible());
}

// A click that waits in the event queue reaches Stop when the run yields, as it
// does between files and during a long copy.
TEST_F(RunStopTest, TheRunsYieldsLetAWaitingClickOnStopThrough) {
  platform::ui::installQtPendingEvents(std::chrono::milliseconds(0));
  bool stopped = false;
  duringRun = [&](RunView& view) {
    QTest::mousePress(window->cmdGo, Qt::LeftButton);
    QTimer::singleShot(0, window->cmdGo, [this] { QTest::mouseRelease(window->cmdGo, Qt::LeftButton); });
    EXPECT_FALSE(view.stopRequested());
    view.yield();
    stopped = view.stopRequested();
  };
  QTest::mouseClick(window->cmdGo, Qt::LeftButton);
  EXPECT_TRUE(stopped);
}

// The counts come from the files done, the title shows them within a refresh, and
// the title and the button are back before the summary shows.
TEST_F(RunStopTest, TheTitleShowsFilesDoneOfTheTotalAndTheRateAndComesBackForTheSummary) {
  QString during;
  duringRun = [&](RunView& view) {
    const PlannedFile file{"a.mp3", "/src/a.mp3", false, std::nullopt, u"A", u"Al", u"Ar", "", "", "/dest/a.mp3"};
    view.fileDone({file, true, {}, 3, 10});
    EXPECT_TRUE(QTest::qWaitFor([&] { return window->windowTitle() != QStringLiteral("Mervalis"); }));
    during = window->windowTitle();
  };
  summary = u"\r\n/src/b.mp3 - No Title";
  QString titleAtSummary, captionAtSummary;
  tests::support::ModalAnswerer answer([&](QWidget* box) {
    titleAtSummary = window->windowTitle();
    captionAtSummary = window->cmdGo->text();
    static_cast<QMessageBox*>(box)->accept();
  });
  QTest::mouseClick(window->cmdGo, Qt::LeftButton);

  EXPECT_TRUE(during.startsWith(QStringLiteral("Mervalis - 3 of 10 files, "))) << during.toStdString();
  EXPECT_TRUE(during.endsWith(QStringLiteral(" a second"))) << during.toStdString();
  EXPECT_EQ(answer.answered, 1);
  EXPECT_EQ(titleAtSummary, QStringLiteral("Mervalis"));
  EXPECT_EQ(captionAtSummary, QStringLiteral("Process"));
  EXPECT_EQ(window->windowTitle(), QStringLiteral("Mervalis"));
}

}  // namespace
