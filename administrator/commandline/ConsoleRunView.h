#pragma once
#include <chrono>
#include <cstdio>
#include <functional>
#include <string>

#include <administrator/importrun/ImportRun.h>
#include <administrator/importrun/RunView.h>

namespace administrator::commandline {

// The run's log on standard output, a line as soon as it is whole, or one JSON
// object per file; progress on a terminal's standard error. A terminal takes each
// line as it comes (standard output is line-buffered there); into a pipe or a
// file, output goes out when a line is written at least a twentieth of a second
// after the last flush, and at the end, rather than in a write per file. It is
// never flushed in the middle of a file's move, where a reader that has gone
// away would end the program. A run that could not start says why on standard
// error only. `stopAsked` tells whether the person
// asked the run to stop.
class ConsoleRunView : public importrun::RunView {
 public:
  ConsoleRunView(bool json, bool showProgress, std::function<bool()> stopAsked = {})
      : json_(json), showProgress_(showProgress), stopAsked_(std::move(stopAsked)) {}

  void clearLog() override {}
  void appendLog(std::u16string_view text) override;
  void fileDone(const importrun::FileReport& report) override;
  void showSummary(const std::u16string& summary) override { summary_ = summary; }
  bool stopRequested() override { return stopAsked_ && stopAsked_(); }
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
  std::chrono::steady_clock::time_point nextFlush_{};
};

// The run's texts as lines on a stream: CR LF becomes the stream's line end, and
// the bytes of names come out as they are on disk.
void printLines(std::FILE* stream, std::u16string_view text);

}  // namespace administrator::commandline
