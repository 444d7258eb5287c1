#pragma once
#include <atomic>

#include <platform/automation/HResult.h>

namespace platform::automation {

// Live objects and class-factory locks of one library: while either is above zero
// the library's code is still needed and DllCanUnloadNow answers S_FALSE.
class LibraryCounter {
 public:
  void objectCreated() { ++objects_; }
  void objectDestroyed() { --objects_; }
  void lock() { ++locks_; }
  // An unlock without a lock is ignored rather than letting the count go negative.
  void unlock() {
    long locks = locks_;
    while (locks > 0 && !locks_.compare_exchange_weak(locks, locks - 1)) {
    }
  }
  long objects() const { return objects_; }
  HRESULT canUnloadNow() const { return objects_ == 0 && locks_ == 0 ? S_OK : S_FALSE; }

 private:
  std::atomic<long> objects_{0};
  std::atomic<long> locks_{0};
};

// The counter of the library (or program) this code is linked into. Hidden, so that
// every library binds to its own: one counter shared through the platform library
// would keep every server loaded, or let one be unloaded under another's objects.
// Each library and program that makes objects defines it once with
// AUTOMATION_DEFINE_LIBRARY_COUNTER().
__attribute__((visibility("hidden"))) LibraryCounter& thisLibraryCounter();

}  // namespace platform::automation

#define AUTOMATION_DEFINE_LIBRARY_COUNTER()                                     \
  __attribute__((visibility("hidden"))) ::platform::automation::LibraryCounter& \
  platform::automation::thisLibraryCounter() {                                  \
    static ::platform::automation::LibraryCounter counter;                      \
    return counter;                                                             \
  }
