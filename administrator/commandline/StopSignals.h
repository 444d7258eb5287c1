#pragma once
#include <csignal>

namespace administrator::commandline {

// While it lives, SIGINT and SIGTERM ask the run to stop instead of ending the
// program: the handler only notes the request, so the file in hand is finished
// as a whole unit, and a second signal breaks nothing either. The actions found
// before are put back when it goes.
class StopSignals {
 public:
  StopSignals();
  ~StopSignals();
  StopSignals(const StopSignals&) = delete;
  StopSignals& operator=(const StopSignals&) = delete;

  // Whether a signal came since this was made.
  static bool received();

 private:
  struct sigaction interruptBefore_ {};
  struct sigaction terminateBefore_ {};
};

}  // namespace administrator::commandline
