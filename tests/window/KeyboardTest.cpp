// Every page is usable without a mouse.
#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QTabBar>
#include <QTest>
#include <string>
#include <vector>

#include <tests/support/TemporaryFolder.h>

#include <tests/window/WindowTestSupport.h>

using namespace administrator::importrun;

namespace {

class Keyboard : public ::testing::Test, protected tests::window::CountingWindow {
 protected:
  void SetUp() override {
    window->show();
    QApplication::setActiveWindow(window.get());
    ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
  }
  int page() const { return window->SSTab1->currentIndex(); }
  std::string focused() const {
    const QWidget* widget = QApplication::focusWidget();
    return widget ? widget->objectName().toStdString() : "nothing";
  }
  // The controls Tab reaches on the current page, from the tab captions round to them.
  std::vector<std::string> tabRound() {
    window->SSTab1->tabBar()->setFocus(Qt::TabFocusReason);
    std::vector<std::string> reached;
    for (int step = 0; step < 12; ++step) {
      QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
      if (QApplication::focusWidget() == window->SSTab1->tabBar()) break;
      reached.push_back(focused());
    }
    return reached;
  }
};

TEST_F(Keyboard, TabGoesThroughEachPageInTheLayoutsOrder) {
  const std::vector<std::vector<std::string>> expected = {
      {"Drive1", "Dir1", "File1", "cmdNext1", "cmdExit1", "cmdNew1"},
      {"Drive2", "Dir2", "File2", "Drive3", "Dir3", "cmdNext2", "cmdPrev2", "cmdPreview"},
      {"cmdGo", "lbllog", "cmdAboutLyrebox", "cmdExit3", "cmdPrev3"},
  };
  for (int p = 0; p < 3; ++p) {
    window->SSTab1->setCurrentIndex(p);
    EXPECT_EQ(tabRound(), expected[static_cast<std::size_t>(p)]) << "page " << p;
  }
}

// From wherever the focus is, also inside a list that takes PgDown for itself; the
// focus goes with the page to its first control.
TEST_F(Keyboard, CtrlTabAndCtrlPageKeysStepThroughThePages) {
  struct Step {
    Qt::Key key;
    Qt::KeyboardModifiers modifiers;
    int page;
    const char* focus;
  };
  const Step steps[] = {
      {Qt::Key_PageDown, Qt::ControlModifier, 1, "Drive2"},
      {Qt::Key_Tab, Qt::ControlModifier, 2, "cmdGo"},
      {Qt::Key_Tab, Qt::ControlModifier, 0, "Drive1"},
      {Qt::Key_Backtab, Qt::ControlModifier | Qt::ShiftModifier, 2, "cmdGo"},
      {Qt::Key_PageUp, Qt::ControlModifier, 1, "Drive2"},
  };
  window->Dir1->setFocus(Qt::TabFocusReason);
  for (const Step& step : steps) {
    QTest::keyClick(QApplication::focusWidget(), step.key, step.modifiers);
    EXPECT_EQ(page(), step.page) << QKeySequence(step.key | step.modifiers).toString().toStdString();
    EXPECT_EQ(focused(), step.focus);
  }
}

// A whole choice by keys: to the "MP3's" page, into the source list, down to a
// folder and open it; then a run, during which the page keys do nothing.
TEST_F(Keyboard, KeysAloneChooseTheSourceAndStartARun) {
  const tests::support::TemporaryFolder folder;
  const QString folderPath = QString::fromStdString(folder.path().string());
  ASSERT_TRUE(QDir(folderPath).mkpath(QStringLiteral("music")));
  ASSERT_TRUE(window->Dir2->setPath(folderPath));
  window->cmdNext1->setFocus(Qt::TabFocusReason);
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_PageDown, Qt::ControlModifier);
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
  ASSERT_EQ(focused(), "Dir2");
  QTest::keyClick(window->Dir2, Qt::Key_Down);
  QTest::keyClick(window->Dir2, Qt::Key_Return);
  const QString music = folderPath + QStringLiteral("/music");
  EXPECT_EQ(window->Dir2->path(), music);
  EXPECT_EQ(window->File2->path(), music);
  EXPECT_EQ(window->Dir3->path(), music);

  QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab, Qt::ControlModifier);
  ASSERT_EQ(focused(), "cmdGo");
  duringRun = [this](RunView&) {
    QTest::keyClick(window->cmdGo, Qt::Key_Tab, Qt::ControlModifier);
    QTest::keyClick(window->cmdGo, Qt::Key_PageUp, Qt::ControlModifier);
  };
  QTest::keyClick(window->cmdGo, Qt::Key_Space);
  EXPECT_EQ(runs, 1);
  EXPECT_EQ(page(), 2);
}

}  // namespace
