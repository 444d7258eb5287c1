#include <bench/importrun/ChildProcess.h>

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstring>
#include <memory>

extern char** environ;

namespace bench::importrun {
namespace {

bool namesDisplay(const char* variable) {
  for (const char* name : {"DISPLAY=", "WAYLAND_DISPLAY=", "QT_QPA_PLATFORM="})
    if (std::strncmp(variable, name, std::strlen(name)) == 0) return true;
  return false;
}

std::vector<char*> environmentWithoutDisplay() {
  std::vector<char*> kept;
  for (char** variable = environ; *variable; ++variable)
    if (!namesDisplay(*variable)) kept.push_back(*variable);
  kept.push_back(nullptr);
  return kept;
}

struct FileActions {
  FileActions() { ::posix_spawn_file_actions_init(&actions); }
  ~FileActions() { ::posix_spawn_file_actions_destroy(&actions); }
  FileActions(const FileActions&) = delete;
  FileActions& operator=(const FileActions&) = delete;
  posix_spawn_file_actions_t actions;
};

}  // namespace

ChildOutcome runChild(const std::vector<std::string>& arguments, const std::string& stdoutFile,
                      const std::string& stderrFile) {
  std::vector<char*> argv;
  for (const auto& argument : arguments) argv.push_back(const_cast<char*>(argument.c_str()));
  argv.push_back(nullptr);
  std::vector<char*> environment = environmentWithoutDisplay();
  FileActions files;
  constexpr int kWrite = O_WRONLY | O_CREAT | O_TRUNC;
  ::posix_spawn_file_actions_addopen(&files.actions, STDOUT_FILENO, stdoutFile.c_str(), kWrite, 0644);
  ::posix_spawn_file_actions_addopen(&files.actions, STDERR_FILENO, stderrFile.c_str(), kWrite, 0644);

  ChildOutcome outcome;
  pid_t child = 0;
  if (::posix_spawn(&child, argv[0], &files.actions, nullptr, argv.data(), environment.data()) != 0) return outcome;
  outcome.started = true;
  int status = 0;
  if (::waitpid(child, &status, 0) == child && WIFEXITED(status)) outcome.exitStatus = WEXITSTATUS(status);
  return outcome;
}

}  // namespace bench::importrun
