#include <administrator/undo/RunHistory.h>

#include <administrator/runrecord/RecordLines.h>
#include <administrator/runrecord/RecordedRunReading.h>

namespace mervalis {

std::vector<HistoryEntry> runHistory(const RunRecordFolder& folder) {
  std::vector<HistoryEntry> entries;
  for (const std::string& id : folder.runIds()) {
    HistoryEntry entry;
    if (readRunOverview(folder, id, entry.run) && readRecordedUndo(folder, id, entry.undo))
      entries.push_back(std::move(entry));
  }
  return entries;
}

std::string historyState(const HistoryEntry& entry) {
  std::string state = entry.run.ended ? entry.run.how : "unfinished";
  if (entry.undo.begun && !entry.undo.ended) state += ", undo unfinished";
  else if (entry.undo.ended) state += entry.undo.keptAtEnd == 0 ? ", undone" : ", undone in part";
  return state;
}

std::string historyHeader() {
  return record::line({"RUN", "STARTED", "FILED", "LEFT", "STATE", "CATALOGUE", "SOURCE", "DESTINATION"});
}

std::string historyLine(const HistoryEntry& entry) {
  const RecordedRun& run = entry.run;
  return record::line({run.id, run.started, std::to_string(run.ending.filed), std::to_string(run.ending.left),
                       historyState(entry), run.inputs.cataloguePath, run.inputs.sourceFolder,
                       run.inputs.destinationRoot});
}

}  // namespace mervalis
