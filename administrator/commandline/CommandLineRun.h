#pragma once
#include <string>
#include <vector>

#include <administrator/commandline/CommandLine.h>

namespace administrator::commandline {

// Carries out a command other than the window; returns the exit status: 0 every
// file was filed, 1 some were left where they are, 2 nothing could be started.
int runCommandLine(const CommandLine& line);

}  // namespace administrator::commandline
