#include <administrator/window/LogView.h>
#include <gtest/gtest.h>

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

}  // namespace
