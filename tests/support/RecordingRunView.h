#pragma once
// The view the tests give a run: it keeps what the run showed, and asks to stop
// when the test says so.
#include <administrator/importrun/RunView.h>
#include <platform/text/Utf.h>

#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace tests::support {

class RecordingRunView : public administrator::importrun::RunView {
 public:
  // One visited file as the run reported it.
  struct Visit {
    std::string sourcePath;
    bool filed;
    std::string target;     // empty when left
    std::u16string reason;  // empty when filed
  };

  // `logBefore` stands in the log until the run clears it, so a test sees whether it did.
  explicit RecordingRunView(std::u16string logBefore = {}) : log(std::move(logBefore)) {}

  void clearLog() override { log.clear(); }
  void appendLog(std::u16string_view text) override { log += text; }
  void fileDone(const administrator::importrun::FileReport& report) override {
    ++filesDone;
    yieldsSinceFile = 0;
    if (keepVisits)
      visits.push_back(
          {report.planned.sourcePath, report.filed, report.filed ? report.planned.target : "", report.reason});
  }
  void showSummary(const std::u16string& text) override { summaries.push_back(text); }
  void yield() override {
    ++yieldsSinceFile;
    asked |= askNow && askNow();
  }
  bool stopRequested() override { return asked || (stopAfterFiles && filesDone >= *stopAfterFiles); }

  // The last summary shown; empty before any.
  std::u16string summary() const { return summaries.empty() ? std::u16string() : summaries.back(); }
  std::string logText() const { return platform::text::utf8FromUtf16(log); }
  std::string summaryText() const { return platform::text::utf8FromUtf16(summary()); }

  std::u16string log;
  std::vector<std::u16string> summaries;
  std::size_t filesDone = 0, yieldsSinceFile = 0;
  // Each visited file; a run of many files whose memory is measured keeps only the count.
  bool keepVisits = true;
  std::vector<Visit> visits;

  // The person's request to stop: set `asked` from anywhere, or let `askNow` answer
  // at each yield, or stop once that many files are visited.
  bool asked = false;
  std::function<bool()> askNow;
  std::optional<std::size_t> stopAfterFiles;
};

}  // namespace tests::support
