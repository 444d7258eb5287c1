#pragma once
// Runs a program as a child process, as a script or a person at a terminal would.
#include <string>
#include <vector>

namespace bench::importrun {

struct ChildOutcome {
  bool started = false;
  int exitStatus = -1;  // -1 when it did not exit by itself
};

// Runs `arguments` (the program first) with stdout and stderr written to the two
// files, without a display (DISPLAY, WAYLAND_DISPLAY and QT_QPA_PLATFORM removed
// from the environment), and waits for it.
ChildOutcome runChild(const std::vector<std::string>& arguments, const std::string& stdoutFile,
                      const std::string& stderrFile);

}  // namespace bench::importrun
