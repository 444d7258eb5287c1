#pragma once
#include <functional>

namespace platform::events {

// The platform's "process pending events": a long operation calls it to let the
// thread's window repaint and take input. By default it does nothing; a host with
// a message loop installs its own. Lives in a shared library so that the host and
// every component it loads see the same handler.
using PendingEventsHandler = std::function<void()>;

// An empty handler restores the default.
void setPendingEventsHandler(PendingEventsHandler handler);
void processPendingEvents();
// Whether a handler is installed: without one, a caller may skip its yields.
bool hasPendingEventsHandler();

}  // namespace platform::events
