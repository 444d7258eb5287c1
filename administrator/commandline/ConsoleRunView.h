#pragma once
#include <chrono>
#include <cstdio>
#include <functional>
#include <string>

#include <unistd.h>

#include <administrator/importrun/ImportRun.h>
#include <administrator/importrun/RunView.h>

namespace administrator::commandline {

// The run's log on standard output, a line as soon as it is whole, or one JSON
// object per file; progress on a terminal's standard error. Into a pipe or a
// file, output goes out at most every twentieth of a second and at the end
// rather than in a write per file. A run that could not
// start says why on standard error only. `stopAsked` tells whether the person
// asked the run to stop.
class ConsoleRunView : public importrun::RunView {
 public:
  ConsoleRunView(bool json, bool showProgress, std::function<bool()> stopAsked = {})
      : json_(json),
        showProgress_(showProgress),
        stopAsked_(std::move(stopAsked)),
        outputIsTerminal_(::isatty(STDOUT_FILENO) == 1) {}

  void clearLog() override {}
  void appendLog(std::u16string_view text) override;
  void fileDone(const importrun::FileReport& report) override;
  void showSummary(const std::u16string& summary) override { summary_ = summary; }
  bool stopRequested() override { return stopAsked_ && stopAsked_(); }
  void yield() override;
  // Ends the output once the run has returned.
  void finish(const importrun::RunResult& result);

 private:
  void printProgress(std::size_t done, std::size_t total);
  void flushSoon();

  bool json_, showProgress_;
  std::function<bool()> stopAsked_;
  std::u16string pending_;  // the line being written, not yet printed
  bool printedLine_ = false;
  std::u16string summary_;
  std::chrono::steady_clock::time_point start_ = std::chrono::steady_clock::now();
  bool outputIsTerminal_;
  bool unflushed_ = false;
  std::chrono::steady_clock::time_point nextFlush_{};
};

// The run's texts as lines on a stream: CR LF becomes the stream's line end, and
// the bytes of names come out as they are on disk.
void printLines(std::FILE* stream, std::u16string_view text);

}  // namespace administrator::commandline
