#include <platform/ui/QtPendingEvents.h>

#include <time.h>

#include <QCoreApplication>
#include <cstdint>

namespace platform::ui {
namespace {

using Nanoseconds = std::int64_t;

// The coarse clock costs a few nanoseconds (the precise one several times more, and
// a system call on some virtual machines); its resolution, a scheduler tick of 1 to
// 10 ms, is fine for pacing repaints. Fall back to the precise clock only when a tick
// is longer than the interval, which would stretch the pause between repaints.
clockid_t pacingClock(Nanoseconds interval) {
  timespec resolution{};
  if (clock_getres(CLOCK_MONOTONIC_COARSE, &resolution) == 0 && resolution.tv_sec == 0 &&
      resolution.tv_nsec <= interval)
    return CLOCK_MONOTONIC_COARSE;
  return CLOCK_MONOTONIC;
}

Nanoseconds readClock(clockid_t clock) {
  timespec now{};
  clock_gettime(clock, &now);
  return Nanoseconds{now.tv_sec} * 1'000'000'000 + now.tv_nsec;
}

}  // namespace

events::PendingEventsHandler qtPendingEvents(std::chrono::milliseconds minimumInterval) {
  const Nanoseconds interval = std::chrono::duration_cast<std::chrono::nanoseconds>(minimumInterval).count();
  const clockid_t clock = pacingClock(interval);
  // The first call always lets events through.
  return [clock, interval, last = readClock(clock) - interval]() mutable {
    const Nanoseconds now = readClock(clock);
    if (now - last < interval) return;
    last = now;
    if (QCoreApplication::instance()) QCoreApplication::processEvents();
  };
}

void installQtPendingEvents(std::chrono::milliseconds minimumInterval) {
  events::setPendingEventsHandler(qtPendingEvents(minimumInterval));
}

}  // namespace platform::ui
