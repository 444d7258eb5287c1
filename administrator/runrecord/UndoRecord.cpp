#include <administrator/runrecord/UndoRecord.h>

#include <administrator/runrecord/FileRunRecord.h>
#include <administrator/runrecord/RecordLines.h>
#include <administrator/runrecord/RecordedRunReading.h>

namespace administrator::runrecord {

using platform::status::Status;

using namespace recordword;

Status UndoRecord::begin(const std::string& journalMode) {
  const std::string path = folder_.undoPath(runId_);
  bool taken = false;
  Status opened = file_.create(path, taken);
  if (!opened && taken) opened = file_.openToAdd(path);
  if (!opened) return opened;
  // A record that an undo killed at once left without a whole line starts anew.
  const std::string magic = file_.empty() ? record::line({kUndoMagic, "1"}) : std::string();
  return file_.append(magic + record::line({kStarted, recordTimeNow()}) + record::line({kMode, journalMode}));
}

Status UndoRecord::undoing(std::size_t number) {
  return file_.append(record::line({kUndoing, std::to_string(number)}));
}

Status UndoRecord::undone(std::size_t number) { return file_.append(record::line({kUndone, std::to_string(number)})); }

Status UndoRecord::kept(std::size_t number, const std::string& reason) {
  return file_.append(record::line({kKept, std::to_string(number), reason}));
}

Status UndoRecord::end(std::size_t undone, std::size_t kept) {
  Status step = file_.append(record::line({kEnd, std::to_string(undone), std::to_string(kept), recordTimeNow()}));
  if (step) step = file_.flush();
  return step;
}

}  // namespace administrator::runrecord
