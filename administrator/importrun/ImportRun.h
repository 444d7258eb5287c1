#pragma once
#include <cstddef>
#include <string>
#include <unordered_set>
#include <vector>

#include <administrator/catalogue/Catalogue.h>
#include <platform/filesystem/FileSystem.h>
#include <platform/status/Status.h>

#include <administrator/importrun/PlannedFile.h>
#include <administrator/importrun/RunInputs.h>
#include <administrator/importrun/RunPlanner.h>
#include <administrator/importrun/RunRecord.h>
#include <administrator/importrun/RunView.h>
#include <administrator/importrun/TagReader.h>

namespace administrator::importrun {

// What a run came to: whether it got as far as visiting files, and how many it
// filed and left where they were.
struct RunResult {
  bool started = false;
  std::size_t filed = 0, left = 0;
  std::string runId;     // the run's record, to undo it by; empty when none was made
  bool stopped = false;  // the person stopped it before its last file
};

// Files every tagged file of a source folder and of the folders one level below
// it: one catalogue row and a move to root/artist/album/title.mp3 per file,
// a log line per visited file, and a summary of every file that was not filed.
// Each file is planned, then filed at once as one unit.
class ImportRun {
 public:
  // Without a record a run killed between a move and its commit leaves that file
  // at its target without a row, unnoticed, and the run cannot be undone.
  ImportRun(TagReader& tags, platform::filesystem::FileSystem& files, catalogue::Catalogue& catalogue, RunView& view);
  // With a record the run notes each file before it moves it and, when it starts,
  // settles what an earlier, killed run left: a file without its row goes back.
  ImportRun(TagReader& tags, platform::filesystem::FileSystem& files, catalogue::Catalogue& catalogue, RunView& view,
            RunRecord& record)
      : tags_(tags), files_(files), catalogue_(catalogue), view_(view), record_(record) {}

  RunResult run(const RunInputs& inputs);

 private:
  bool catalogueSelected();
  bool openRecord(std::vector<KilledRun>& killed);
  bool openCatalogue();
  bool settleKilledRuns(const std::vector<KilledRun>& killed);
  bool startRecord();
  void finishRecord();
  void closeCatalogue();
  // A line of its own in both the log and the summary.
  void logAndSummarise(const std::u16string& message);
  void visitAll(RunPlanner& planner);
  void visit(const PlannedFile& planned, RunPlanner& planner);
  // Empty when the file is filed; else why it stays where it is.
  std::optional<Leave> execute(const PlannedFile& file);
  struct UnitOutcome {
    bool recorded = false;
    bool moved = false;
    bool targetTaken = false;
    platform::filesystem::FileIdentity asFiled;
    bool abandoned = false;  // its copy, stopped by the person
  };
  platform::status::Status fileInsideTransaction(const PlannedFile& file, UnitOutcome& outcome);
  platform::status::Status ensureFolder(const std::string& path, const std::string& source);
  platform::status::Status moveIntoItsFolder(const PlannedFile& file, UnitOutcome& outcome);
  // A record that cannot be written ends the run after the file in hand: no file
  // is moved without its entry.
  void noteRecorded(const std::string& source, const platform::status::Status& written);
  // The move, letting the view take input during a long copy and abandoning the
  // copy when the person asks the run to stop while it goes on.
  platform::status::Status moveLettingStop(const PlannedFile& file, UnitOutcome& outcome);
  void leave(const PlannedFile& file, const Leave& why);
  void stopBeforeStart(const std::string& reason);
  // Another program writing to the catalogue would make every later file wait
  // for its lock and fail in turn, so the run ends after the file in hand.
  platform::status::Status stopIfCatalogueBusy(const std::string& source, const platform::status::Status& failure);
  bool stopped() const { return !stoppedAfter_.empty(); }
  void stopAfter(const std::string& source, std::u16string why);

  TagReader& tags_;
  platform::filesystem::FileSystem& files_;
  catalogue::Catalogue& catalogue_;
  RunView& view_;
  RunRecord& record_;
  RunInputs inputs_;
  RunResult result_;
  std::size_t visited_ = 0, toVisit_ = 0;
  std::u16string summary_;
  std::string modeToPutBack_;
  std::string stoppedAfter_;  // the source path of the last file visited, once stopped
  std::u16string stopReason_;
  // Folders this run has found or made: the files of an album share them, and
  // looking for both for every file would cost two of the few system calls a
  // filed file needs. A folder removed meanwhile fails the move, and is looked at again.
  std::unordered_set<std::string> knownFolders_;
};

}  // namespace administrator::importrun
