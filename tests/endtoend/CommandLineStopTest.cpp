// `mervalis import` stopped by a signal, as Ctrl+C or a service manager does.
#include <fcntl.h>
#include <pty.h>
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QJsonDocument>
#include <QJsonObject>
#include <csignal>
#include <cstdio>
#include <filesystem>
#include <cstring>
#include <sstream>

#include <tests/support/TemporaryFolder.h>
#include <tests/endtoend/MusicFolder.h>

namespace {

namespace fs = std::filesystem;

// The program as a child without a display, its standard output coming through a
// pipe, or with a terminal of its own for all three streams; waited for when it goes.
class RunningProgram {
 public:
  enum class Streams { OutputPiped, Terminal };

  RunningProgram(const std::vector<std::string>& arguments, const fs::path& registry, Streams streams) {
    int outputEnd = -1;
    if (streams == Streams::Terminal) {
      pid_ = ::forkpty(&outputEnd, nullptr, nullptr, nullptr);
      if (pid_ == 0) exec(arguments, registry);
    } else {
      int out[2];
      if (::pipe2(out, O_CLOEXEC) != 0) return;
      // A small pipe holds the program back when the test is slow to read, so it
      // cannot finish before the signal comes, however busy the machine is.
      ::fcntl(out[1], F_SETPIPE_SZ, 4096);
      pid_ = ::fork();
      if (pid_ == 0) {
        ::dup2(out[1], STDOUT_FILENO);
        const int devNull = ::open("/dev/null", O_RDWR);
        ::dup2(devNull, STDIN_FILENO);
        ::dup2(devNull, STDERR_FILENO);
        exec(arguments, registry);
      }
      ::close(out[1]);
      outputEnd = out[0];
    }
    terminal_ = outputEnd;
    output_ = ::fdopen(outputEnd, "r");
  }
  RunningProgram(const RunningProgram&) = delete;
  RunningProgram& operator=(const RunningProgram&) = delete;
  ~RunningProgram() {
    if (pid_ > 0 && !waited_) {
      ::kill(pid_, SIGKILL);
      (void)wait();
    }
    if (output_) std::fclose(output_);
  }

  // The next whole line of its output, without the line end; false at the end.
  bool readLine(std::string& line) {
    line.clear();
    for (int c; (c = std::fgetc(output_)) != EOF;) {
      if (c == '\n') return true;
      line += static_cast<char>(c);
    }
    return !line.empty();
  }
  void signal(int number) const { ::kill(pid_, number); }
  // What a person types; on a terminal, Ctrl+C becomes SIGINT.
  void type(const std::string& keys) const { (void)!::write(terminal_, keys.data(), keys.size()); }
  // The exit status, or -1 when a signal ended it.
  int wait() {
    int status = 0;
    ::waitpid(pid_, &status, 0);
    waited_ = true;
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  }

 private:
  [[noreturn]] static void exec(const std::vector<std::string>& arguments, const fs::path& registry) {
    ::unsetenv("DISPLAY");
    ::unsetenv("WAYLAND_DISPLAY");
    ::unsetenv("QT_QPA_PLATFORM");
    ::setenv("AUTOMATION_REGISTRY", registry.c_str(), 1);
    std::vector<char*> argv{const_cast<char*>(MERVALIS_PROGRAM)};
    for (const auto& argument : arguments) argv.push_back(const_cast<char*>(argument.c_str()));
    argv.push_back(nullptr);
    ::execv(MERVALIS_PROGRAM, argv.data());
    ::_exit(127);
  }

  pid_t pid_ = -1;
  int terminal_ = -1;
  bool waited_ = false;
  std::FILE* output_ = nullptr;
};

std::size_t filesIn(const fs::path& folder) {
  std::size_t count = 0;
  for (const auto& entry : fs::recursive_directory_iterator(folder)) count += entry.is_regular_file();
  return count;
}

class CommandLineStop : public ::testing::Test {
 protected:
  // Far more lines of output than two small pipe buffers, or a terminal's, hold.
  static constexpr std::size_t kFiles = 3000;

  void SetUp() override {
    std::string why;
    ASSERT_TRUE(tests::endtoend::registerLyrebox(why)) << why;
    for (const auto& path : {music, filed}) fs::create_directories(path);
    tests::endtoend::createCatalogue(catalogue.string());
    for (std::size_t i = 0; i < kFiles; ++i) {
      const std::string title = "Song " + std::to_string(10000 + i);
      const tests::endtoend::Tag tag{title, "Band", "Record"};
      tests::endtoend::writeMusicFile((music / (title + ".mp3")).string(), &tag);
    }
  }
  std::vector<std::string> importArguments() const {
    return {"import", "--catalogue", catalogue.string(), "--source", music.string(), "--dest", filed.string()};
  }

  tests::support::RegistryInTemporaryFolder registry;
  tests::support::TemporaryFolder folder;
  fs::path music = folder.path() / "music", filed = folder.path() / "filed", catalogue = folder.path() / "c.mdb";
};

// Once the run has filed its first file, the signal comes, then a second one: the
// run ends in order after the file in hand, with status 130, every file either
// filed with its row or untouched at its source, and the output saying how far it got.
TEST_F(CommandLineStop, SigintOrSigtermEndsTheRunAfterTheFileInHandWithStatus130) {
  struct Case {
    int signal;
    bool json;
  } cases[] = {{SIGINT, false}, {SIGTERM, true}};
  for (const auto& c : cases) {
    SCOPED_TRACE(::strsignal(c.signal));
    const std::size_t rowsBefore = tests::endtoend::catalogueRows(catalogue.string()).size();
    const std::size_t toVisit = filesIn(music);
    std::vector<std::string> arguments = importArguments();
    if (c.json) arguments.push_back("--json");
    RunningProgram program(arguments, registry.file(), RunningProgram::Streams::OutputPiped);
    std::string line, last, output;
    ASSERT_TRUE(program.readLine(line));  // the first file is done
    program.signal(c.signal);
    program.signal(c.signal);
    do {
      output += line + "\n";
      last = line;
    } while (program.readLine(line));
    EXPECT_EQ(program.wait(), 130) << output;

    const std::size_t rows = tests::endtoend::catalogueRows(catalogue.string()).size();
    const std::size_t filedFiles = filesIn(filed), leftFiles = filesIn(music);
    EXPECT_EQ(filedFiles, rows);
    EXPECT_EQ(filedFiles + leftFiles, kFiles);
    EXPECT_GT(leftFiles, 0u);
    const std::size_t filedNow = rows - rowsBefore;
    if (c.json) {
      const QJsonObject totals = QJsonDocument::fromJson(QByteArray::fromStdString(last)).object();
      EXPECT_EQ(totals["stopped"].toBool(), true) << last;
      EXPECT_EQ(static_cast<std::size_t>(totals["filed"].toInt()), filedNow) << last;
    } else {
      const std::string stop = "Stopped after " + std::to_string(filedNow) + " of " + std::to_string(toVisit) +
                               " files. The remaining " + std::to_string(toVisit - filedNow) +
                               " files were not visited and stay where they are.\n";
      EXPECT_NE(output.find(stop), std::string::npos) << output.substr(output.size() > 600 ? output.size() - 600 : 0);
    }
  }
}

// On a terminal the progress shows on standard error; Ctrl+C stops the run as a
// signal does, and the progress line is cleared before the run's last lines.
TEST_F(CommandLineStop, CtrlCOnATerminalStopsTheRunAndClearsItsProgress) {
  RunningProgram program(importArguments(), registry.file(), RunningProgram::Streams::Terminal);
  std::string line, output;
  ASSERT_TRUE(program.readLine(line));
  EXPECT_NE(line.find(" of " + std::to_string(kFiles) + " files, "), std::string::npos) << line;
  program.type("\x03");
  do output += line + "\n";
  while (program.readLine(line));
  EXPECT_EQ(program.wait(), 130) << output;

  const std::size_t rows = tests::endtoend::catalogueRows(catalogue.string()).size();
  EXPECT_EQ(filesIn(filed), rows);
  const std::string stop = "Stopped after " + std::to_string(rows) + " of " + std::to_string(kFiles) + " files.";
  const std::size_t at = output.find(stop);
  ASSERT_NE(at, std::string::npos) << output.substr(output.size() > 600 ? output.size() - 600 : 0);
  // The stop's line starts clean: the progress before it was cleared.
  const std::size_t lineStart = output.rfind('\n', at) + 1;
  const std::string before = output.substr(lineStart, at - lineStart);
  EXPECT_TRUE(before.empty() || before.ends_with("\r\033[K")) << before;
  EXPECT_EQ(output.find(" files, ", at), std::string::npos) << "progress after the stop";
}

}  // namespace
