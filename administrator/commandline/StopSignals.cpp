#include <administrator/commandline/StopSignals.h>

#include <atomic>

namespace administrator::commandline {
namespace {

// Written by the handler: a lock-free atomic is safe to touch there.
std::atomic<bool> stopReceived{false};
static_assert(std::atomic<bool>::is_always_lock_free);

extern "C" void noteStop(int) { stopReceived.store(true, std::memory_order_relaxed); }

}  // namespace

StopSignals::StopSignals() {
  stopReceived.store(false);
  struct sigaction action {};
  action.sa_handler = noteStop;
  sigemptyset(&action.sa_mask);
  // Reads, writes and the catalogue's calls go on as if nothing had come.
  action.sa_flags = SA_RESTART;
  ::sigaction(SIGINT, &action, &interruptBefore_);
  ::sigaction(SIGTERM, &action, &terminateBefore_);
}

StopSignals::~StopSignals() {
  ::sigaction(SIGTERM, &terminateBefore_, nullptr);
  ::sigaction(SIGINT, &interruptBefore_, nullptr);
}

bool StopSignals::received() { return stopReceived.load(std::memory_order_relaxed); }

}  // namespace administrator::commandline
