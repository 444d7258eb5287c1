#pragma once
#include <string>
#include <vector>

#include <administrator/runrecord/RecordedRun.h>
#include <administrator/runrecord/RunRecordFolder.h>

namespace administrator::undo {

// One run as the history lists it.
struct HistoryEntry {
  runrecord::RecordedRun run;    // its start and end; no files
  runrecord::RecordedUndo undo;  // what undoing it did
};

// Every recorded run, oldest first; records that cannot be read are skipped.
std::vector<HistoryEntry> runHistory(const runrecord::RunRecordFolder& folder);

// "finished", "stopped", "killed" or "unfinished", then ", undone", ", undone in
// part" or ", undo unfinished" where it applies.
std::string historyState(const HistoryEntry& entry);

// The history as lines of tab-separated fields, a header first; a tab, line break
// or backslash in a path is written \t, \n or \\, so that each run is one line.
std::string historyHeader();
std::string historyLine(const HistoryEntry& entry);

}  // namespace administrator::undo
