#pragma once
#include <cstddef>
#include <string>
#include <string_view>

#include <administrator/importrun/PlannedFile.h>

namespace administrator::importrun {

// What became of one visited file, for views that show more than the log.
struct FileReport {
  const PlannedFile& planned;
  bool filed;
  std::u16string reason;    // why it was left; empty when filed
  std::size_t done, total;  // visited so far, of all the run will visit
};

// Where the import run shows its progress: the log (cleared at the start, then
// extended piece by piece) and the summary message at the end.
class RunView {
 public:
  virtual ~RunView() = default;
  virtual void clearLog() = 0;
  virtual void appendLog(std::u16string_view text) = 0;
  // After each visited file's log text.
  virtual void fileDone(const FileReport&) {}
  // Just before the summary: the run's record, to undo it by (empty when the run
  // kept none), and how many files it filed.
  virtual void runRecorded(const std::string& /*runId*/, std::size_t /*filed*/) {}
  // Blocks until the person has dismissed the message.
  virtual void showSummary(const std::u16string& summary) = 0;
  // Between files, and while a file is copied to another volume: the view may
  // take input here, such as a request to stop.
  virtual void yield() {}
  // Whether the person asked the run to stop; once true, it stays true for the
  // run. The run then ends after the file in hand, whose copy to another volume,
  // if one is under way, is abandoned.
  virtual bool stopRequested() { return false; }
};

}  // namespace administrator::importrun
