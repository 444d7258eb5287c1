#include <platform/events/PendingEvents.h>
#include <gtest/gtest.h>

TEST(PendingEvents, InstalledHandlerRunsAndEmptyHandlerRestoresTheDefault) {
  int calls = 0;
  platform::events::setPendingEventsHandler([&calls] { ++calls; });
  platform::events::processPendingEvents();
  platform::events::processPendingEvents();
  EXPECT_EQ(calls, 2);
  platform::events::setPendingEventsHandler({});
  platform::events::processPendingEvents();
  EXPECT_EQ(calls, 2);
}
