#include <gtest/gtest.h>

#include <thread>

#include <tests/ui/UiTestSupport.h>
#include <platform/events/PendingEvents.h>
#include <platform/ui/QtPendingEvents.h>

namespace {

// Posts a queued call; it runs only when something hands control to Qt's event loop.
void postFlag(bool& ran) {
  ran = false;
  QMetaObject::invokeMethod(
      &tests::ui::application(), [&ran] { ran = true; }, Qt::QueuedConnection);
}

}  // namespace

TEST(QtPendingEvents, LetsEventsThroughAtMostOncePerInterval) {
  tests::ui::application();
  platform::ui::installQtPendingEvents(std::chrono::milliseconds(300));
  bool ran = false;

  postFlag(ran);
  platform::events::processPendingEvents();  // the first yield always goes through
  EXPECT_TRUE(ran);

  postFlag(ran);
  for (int i = 0; i < 1000; ++i) platform::events::processPendingEvents();
  EXPECT_FALSE(ran);

  std::this_thread::sleep_for(std::chrono::milliseconds(350));
  platform::events::processPendingEvents();
  EXPECT_TRUE(ran);

  platform::events::setPendingEventsHandler({});
  postFlag(ran);
  platform::events::processPendingEvents();
  EXPECT_FALSE(ran);
  QCoreApplication::processEvents();
}
