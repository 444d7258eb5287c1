#pragma once
// Other processes the proofs need: a program holding the catalogue locked, and a
// run that may not write where root could.
#include <fcntl.h>
#include <grp.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <functional>
#include <stdexcept>
#include <string>

namespace tests::proof {

// The sqlite3 program holding an exclusive transaction on a database file until
// the holder goes out of scope.
class LockHolder {
 public:
  explicit LockHolder(const std::string& database) {
    int toChild[2], fromChild[2];
    if (::pipe2(toChild, O_CLOEXEC) != 0 || ::pipe2(fromChild, O_CLOEXEC) != 0) throw std::runtime_error("pipe");
    pid_ = ::fork();
    if (pid_ == 0) {
      ::dup2(toChild[0], 0);
      ::dup2(fromChild[1], 1);
      ::execl(SQLITE3_PROGRAM, "sqlite3", database.c_str(), static_cast<char*>(nullptr));
      ::_exit(127);
    }
    ::close(toChild[0]);
    ::close(fromChild[1]);
    input_ = toChild[1];
    output_ = fromChild[0];
    const std::string commands = ".timeout 5000\nbegin exclusive;\nselect 'locked';\n";
    if (::write(input_, commands.data(), commands.size()) != static_cast<ssize_t>(commands.size()))
      throw std::runtime_error("cannot talk to sqlite3");
    std::string answer;
    char c;
    while (answer.find("locked") == std::string::npos && ::read(output_, &c, 1) == 1) answer += c;
    if (answer.find("locked") == std::string::npos) throw std::runtime_error("sqlite3 took no lock: " + answer);
  }
  LockHolder(const LockHolder&) = delete;
  LockHolder& operator=(const LockHolder&) = delete;
  ~LockHolder() {
    ::close(input_);  // end of input: sqlite3 rolls back and ends
    ::waitpid(pid_, nullptr, 0);
    ::close(output_);
  }

 private:
  pid_t pid_ = -1;
  int input_ = -1, output_ = -1;
};

// Runs `work` in a child process as the unprivileged user "nobody" when the tests
// run as root (who may write anywhere), else in this process. `tree` is handed
// to that user first. Returns false when the child did not end normally.
inline bool runUnprivileged(const std::string& tree, const std::function<void()>& work) {
  if (::geteuid() != 0) {
    work();
    return true;
  }
  constexpr uid_t nobody = 65534;
  for (const auto& entry : std::filesystem::recursive_directory_iterator(tree))
    if (::lchown(entry.path().c_str(), nobody, nobody) != 0) return false;
  if (::lchown(tree.c_str(), nobody, nobody) != 0) return false;
  const pid_t child = ::fork();
  if (child == 0) {
    if (::setgroups(0, nullptr) != 0 || ::setgid(nobody) != 0 || ::setuid(nobody) != 0) ::_exit(3);
    work();
    ::_exit(0);
  }
  int status = 0;
  ::waitpid(child, &status, 0);
  return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

}  // namespace tests::proof
