#pragma once
// A program run from a test through the shell, with its exit code and one of its outputs.
#include <sys/wait.h>

#include <array>
#include <cstdio>
#include <string>

namespace tests::support {

struct RunResult {
  int exitCode = -1;
  std::string output;
};

// Runs a shell command and returns its standard output, or with `errorsOnly` its
// standard error instead.
inline RunResult runProgram(const std::string& command, bool errorsOnly = false) {
  RunResult result;
  FILE* pipe = ::popen((command + (errorsOnly ? " 2>&1 >/dev/null" : " 2>/dev/null")).c_str(), "r");
  if (!pipe) return result;
  std::array<char, 4096> buffer;
  while (const std::size_t got = std::fread(buffer.data(), 1, buffer.size(), pipe))
    result.output.append(buffer.data(), got);
  const int status = ::pclose(pipe);
  result.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  return result;
}

}  // namespace tests::support
