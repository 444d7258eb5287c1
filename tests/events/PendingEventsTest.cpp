#include <platform/events/PendingEvents.h>
#include <gtest/gtest.h>

TEST(PendingEvents, InstalledHandlerRunsAndEmptyHandlerRestoresTheDefault) {
  int calls = 0;
  platform::setPendingEventsHandler([&calls] { ++calls; });
  platform::processPendingEvents();
  platform::processPendingEvents();
  EXPECT_EQ(calls, 2);
  platform::setPendingEventsHandler({});
  platform::processPendingEvents();
  EXPECT_EQ(calls, 2);
}
