#include <administrator/window/LogView.h>
#include <gtest/gtest.h>

#include <QAccessible>
#include <QAccessibleTextInterface>
#include <QApplication>
#include <QClipboard>
#include <QScrollBar>
#include <QTest>

using namespace administrator::window;

namespace {

class LogViewTest : public ::testing::Test {
 protected:
  void SetUp() override {
    log.resize(390, 270);
    log.show();
  }
  LogView log{QStringLiteral("Log Report")};
};

TEST_F(LogViewTest, TheCaptionKeepsTheRunsTextWhileTheViewBreaksLinesAtLineFeeds) {
  log.setCaption(QString());
  log.append(QStringLiteral("\r\na.mp3"));
  log.append(QStringLiteral("\r\nb.mp3 Error - No Title"));
  EXPECT_EQ(log.caption(), QStringLiteral("\r\na.mp3\r\nb.mp3 Error - No Title"));
  log.showPending();
  EXPECT_EQ(log.toPlainText(), QStringLiteral("\na.mp3\nb.mp3 Error - No Title"));
}

TEST_F(LogViewTest, WhatWasAppendedShowsOnItsOwnOnceTheEventLoopRuns) {
  log.setCaption(QStringLiteral("start"));
  log.append(QStringLiteral("\r\none"));
  log.append(QStringLiteral("\r\ntwo"));
  EXPECT_TRUE(QTest::qWaitFor([this] { return log.toPlainText() == QStringLiteral("start\none\ntwo"); }));
  log.showPending();  // nothing left waiting: shown once, not twice
  EXPECT_EQ(log.toPlainText(), QStringLiteral("start\none\ntwo"));
}

TEST_F(LogViewTest, ANewCaptionDropsWhatTheOldOneHadWaiting) {
  log.append(QStringLiteral("\r\nold run"));
  log.setCaption(QStringLiteral("new"));
  QTest::qWait(3 * LogView::refreshInterval);
  EXPECT_EQ(log.toPlainText(), QStringLiteral("new"));
  EXPECT_EQ(log.caption(), QStringLiteral("new"));
}

// A run's log of `count` lines after its empty first one, all shown.
void fillWithLines(LogView& log, int count) {
  log.setCaption(QString());
  for (int i = 0; i < count; ++i) log.append(QStringLiteral("\r\nline %1").arg(i));
  log.showPending();
}

TEST_F(LogViewTest, TheViewFollowsTheNewestLine) {
  log.setCaption(QString());
  for (int i = 0; i < 500; ++i) log.append(QStringLiteral("\r\nline %1").arg(i));
  log.showPending();
  QScrollBar* bar = log.verticalScrollBar();
  ASSERT_GT(bar->maximum(), 0);
  EXPECT_EQ(bar->value(), bar->maximum());
  log.append(QStringLiteral("\r\nlast"));
  log.showPending();
  EXPECT_EQ(bar->value(), bar->maximum());
  EXPECT_TRUE(log.toPlainText().endsWith(QStringLiteral("line 499\nlast")));
}

TEST_F(LogViewTest, AReaderWhoScrolledBackIsNotPulledToTheEndAndFollowsAgainOnceThere) {
  fillWithLines(log, 500);
  QScrollBar* bar = log.verticalScrollBar();
  bar->setValue(10);
  log.append(QStringLiteral("\r\nmore"));
  log.showPending();
  EXPECT_EQ(bar->value(), 10);
  bar->setValue(bar->maximum());
  log.append(QStringLiteral("\r\nand more"));
  log.showPending();
  EXPECT_EQ(bar->value(), bar->maximum());
  EXPECT_EQ(log.lines().count(), 503);
}

// Keys, as a keyboard user reads and copies: the first arrow picks the top line in
// sight, Shift stretches the choice, Ctrl+C copies it as the lines read.
TEST_F(LogViewTest, LinesAreChosenAndCopiedFromTheKeyboard) {
  fillWithLines(log, 500);
  log.verticalScrollBar()->setValue(100);
  log.setFocus();
  QApplication::clipboard()->clear();
  QTest::keyClick(&log, Qt::Key_Down);
  EXPECT_EQ(log.currentLine(), 100);
  QTest::keyClick(&log, Qt::Key_Down);
  QTest::keyClick(&log, Qt::Key_Down, Qt::ShiftModifier);
  QTest::keyClick(&log, Qt::Key_Down, Qt::ShiftModifier);
  QTest::keySequence(&log, QKeySequence::Copy);
  EXPECT_EQ(QApplication::clipboard()->text(), QStringLiteral("line 100\nline 101\nline 102"));
  QTest::keyClick(&log, Qt::Key_End);
  EXPECT_EQ(log.selectedText(), QStringLiteral("line 499"));
  EXPECT_EQ(log.verticalScrollBar()->value(), log.verticalScrollBar()->maximum());
  QTest::keyClick(&log, Qt::Key_PageUp, Qt::ShiftModifier);
  EXPECT_GT(log.selectionLast() - log.selectionFirst(), 1);
  EXPECT_EQ(log.selectionLast(), 500);
  QTest::keySequence(&log, QKeySequence::SelectAll);
  EXPECT_EQ(log.selectedText(), log.toPlainText());
}

TEST_F(LogViewTest, AClickChoosesALineAndAShiftClickStretchesTheChoiceToAnother) {
  fillWithLines(log, 50);
  log.verticalScrollBar()->setValue(0);
  QTest::mouseClick(log.viewport(), Qt::LeftButton, {}, log.lineRect(2).center());
  EXPECT_EQ(log.selectedText(), QStringLiteral("line 1"));
  QTest::mouseClick(log.viewport(), Qt::LeftButton, Qt::ShiftModifier, log.lineRect(4).center());
  EXPECT_EQ(log.selectedText(), QStringLiteral("line 1\nline 2\nline 3"));
  log.setCaption(QStringLiteral("next run"));
  EXPECT_FALSE(log.hasSelection());
}

// Lines are not wrapped; a long one makes room sideways, at any font.
TEST_F(LogViewTest, ALineLongerThanTheViewScrollsSideways) {
  log.setCaption(QStringLiteral("\r\nshort.mp3"));
  EXPECT_EQ(log.horizontalScrollBar()->maximum(), 0);
  log.append(QStringLiteral("\r\n") + QString(200, QLatin1Char('w')) + QStringLiteral(".mp3 Error - No Title"));
  log.showPending();
  const int wide = log.horizontalScrollBar()->maximum();
  EXPECT_GT(wide, 0);
  QFont larger = log.font();
  larger.setPointSizeF(larger.pointSizeF() * 2);
  log.setFont(larger);
  EXPECT_GT(log.horizontalScrollBar()->maximum(), wide);
  log.setFocus();
  QTest::keyClick(&log, Qt::Key_Right);
  EXPECT_GT(log.horizontalScrollBar()->value(), 0);
}

// A screen reader reads the text as shown, the chosen lines and the reader's place,
// and finds each character where it is painted, in the view's own font.
TEST_F(LogViewTest, AScreenReaderReadsTheShownTextAndTheChosenLines) {
  QFont larger = log.font();
  larger.setPointSizeF(larger.pointSizeF() * 3);
  log.setFont(larger);
  fillWithLines(log, 30);
  QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(&log);
  ASSERT_NE(accessible, nullptr);
  QAccessibleTextInterface* text = accessible->textInterface();
  ASSERT_NE(text, nullptr);
  EXPECT_EQ(text->characterCount(), log.toPlainText().size());
  EXPECT_EQ(text->text(0, text->characterCount()), log.toPlainText());
  EXPECT_EQ(text->selectionCount(), 0);
  log.selectLines(3, 4);
  int start = -1, end = -1;
  text->selection(0, &start, &end);
  EXPECT_EQ(text->text(start, end), QStringLiteral("line 2\nline 3"));
  EXPECT_EQ(text->text(text->cursorPosition(), end), QStringLiteral("line 3"));
  log.verticalScrollBar()->setValue(0);
  const int inLine = static_cast<int>(log.lines().start(1)) + 5;  // the "0" of "line 0"
  const QRect shown = text->characterRect(inLine);
  const int painted = log.textLeft() + QFontMetrics(larger).horizontalAdvance(QStringLiteral("line "));
  EXPECT_NEAR(shown.left(), log.viewport()->mapToGlobal(QPoint(painted, 0)).x(), 1);
  EXPECT_EQ(text->offsetAtPoint(shown.center()), inLine);
}

}  // namespace
