#include <administrator/undo/RunHistory.h>

#include <administrator/runrecord/RecordLines.h>
#include <administrator/runrecord/RecordedRunReading.h>

namespace administrator::undo {

std::vector<HistoryEntry> runHistory(const runrecord::RunRecordFolder& folder) {
  std::vector<HistoryEntry> entries;
  for (const std::string& id : folder.runIds()) {
    HistoryEntry entry;
    if (runrecord::readRunOverview(folder, id, entry.run) && runrecord::readRecordedUndo(folder, id, entry.undo))
      entries.push_back(std::move(entry));
  }
  return entries;
}

std::string historyState(const HistoryEntry& entry) {
  std::string state = entry.run.ended ? entry.run.how : "unfinished";
  if (entry.undo.begun && !entry.undo.ended)
    state += ", undo unfinished";
  else if (entry.undo.ended)
    state += entry.undo.keptAtEnd == 0 ? ", undone" : ", undone in part";
  return state;
}

std::string historyHeader() {
  return runrecord::record::line({"RUN", "STARTED", "FILED", "LEFT", "STATE", "CATALOGUE", "SOURCE", "DESTINATION"});
}

std::string historyLine(const HistoryEntry& entry) {
  const runrecord::RecordedRun& run = entry.run;
  return runrecord::record::line({run.id, run.started, std::to_string(run.ending.filed),
                                  std::to_string(run.ending.left), historyState(entry), run.inputs.cataloguePath,
                                  run.inputs.sourceFolder, run.inputs.destinationRoot});
}

}  // namespace administrator::undo
