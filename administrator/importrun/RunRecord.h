#pragma once
#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include <administrator/catalogue/Catalogue.h>
#include <platform/filesystem/FileIdentity.h>
#include <platform/status/Status.h>

#include <administrator/importrun/RunInputs.h>

namespace administrator::importrun {

// A file a run files: its number in the run, the row it adds and where it came from.
// The row's file name is where the file goes.
struct FilingEntry {
  std::size_t number = 0;
  catalogue::CatalogueRow row;
  std::string source;
  const std::string& target() const { return row.fileName; }
};

// What a killed run of the same catalogue left: the journal mode it found and the
// file it was filing when it died, if any.
struct KilledRun {
  std::string id;
  std::string journalModeFound;
  std::optional<FilingEntry> inFlight;
  std::size_t filed = 0;  // before the one in flight
};

// How a run ended, as its record keeps it.
struct RunEnding {
  std::size_t filed = 0, left = 0;
  bool stopped = false;
};

// Everything a run did, kept outside the catalogue while it goes on and after:
// a run killed between a move and its commit leaves a trace that the next run
// finds and settles, and a finished run can be undone from it.
class RunRecord {
 public:
  virtual ~RunRecord() = default;
  // Takes the catalogue for this run, so that one run at a time files into it,
  // and finds what killed runs of it left unfinished, oldest first.
  virtual platform::status::Status open(const std::string& cataloguePath, std::vector<KilledRun>& killed) = 0;
  // Closes a killed run's record: its file in flight was filed as `asFiled`, or
  // (none) is back at its source or was never moved.
  virtual platform::status::Status settleKilled(const KilledRun& run,
                                                const std::optional<platform::filesystem::FileIdentity>& asFiled) = 0;
  // Starts this run's own record; `journalMode` is the mode to put back at the end.
  virtual platform::status::Status start(const RunInputs& inputs, const std::string& journalMode) = 0;
  // This run's id once started, to undo it by.
  virtual std::string runId() const = 0;
  virtual platform::status::Status folderCreated(const std::string& path) = 0;
  // Before the move; a failure keeps the file where it is.
  virtual platform::status::Status filing(const FilingEntry& entry) = 0;
  // After the commit: the file as it now stands at its target.
  virtual platform::status::Status filed(std::size_t number, const platform::filesystem::FileIdentity& asFiled) = 0;
  // The unit ended without its row: the file is back at its source or never left.
  virtual platform::status::Status notFiled(std::size_t number) = 0;
  // Ends the record and puts it on disk.
  virtual platform::status::Status finish(const RunEnding& ending) = 0;
  // Lets the catalogue go; call after the catalogue is closed.
  virtual void close() = 0;
};

}  // namespace administrator::importrun
