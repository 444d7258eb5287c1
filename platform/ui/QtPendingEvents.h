#pragma once
#include <chrono>

#include <platform/events/PendingEvents.h>

namespace platform::ui {

// Makes the platform's "process pending events" cheap on Qt: a call hands control to
// Qt's event loop only when at least minimumInterval has passed since the last time,
// otherwise it returns after reading a coarse monotonic clock. A long operation that
// yields thousands of times a second so costs almost nothing, yet the window still
// repaints and takes input about every minimumInterval.
void installQtPendingEvents(std::chrono::milliseconds minimumInterval = std::chrono::milliseconds(5));

// The handler installQtPendingEvents installs, for a caller that wraps it.
events::PendingEventsHandler qtPendingEvents(std::chrono::milliseconds minimumInterval = std::chrono::milliseconds(5));

}  // namespace platform::ui
