#include <platform/events/PendingEvents.h>

#include <utility>

namespace platform::events {
namespace {
PendingEventsHandler& currentHandler() {
  static PendingEventsHandler handler;
  return handler;
}
}  // namespace

void setPendingEventsHandler(PendingEventsHandler handler) { currentHandler() = std::move(handler); }

void processPendingEvents() {
  if (auto& handler = currentHandler()) handler();
}

bool hasPendingEventsHandler() { return static_cast<bool>(currentHandler()); }

}  // namespace platform::events
