#include <administrator/runrecord/UndoRecord.h>

#include <administrator/runrecord/FileRunRecord.h>
#include <administrator/runrecord/RecordLines.h>
#include <administrator/runrecord/RecordedRunReading.h>

namespace administrator::runrecord {

using namespace recordword;

platform::status::Status UndoRecord::begin(const std::string& journalMode) {
  const std::string path = folder_.undoPath(runId_);
  bool taken = false;
  platform::status::Status opened = file_.create(path, taken);
  if (!opened && taken) opened = file_.openToAdd(path);
  if (!opened) return opened;
  // A record that an undo killed at once left without a whole line starts anew.
  const std::string magic = file_.empty() ? record::line({kUndoMagic, "1"}) : std::string();
  return file_.append(magic + record::line({kStarted, recordTimeNow()}) + record::line({kMode, journalMode}));
}

platform::status::Status UndoRecord::undoing(std::size_t number) {
  return file_.append(record::line({kUndoing, std::to_string(number)}));
}

platform::status::Status UndoRecord::undone(std::size_t number) {
  return file_.append(record::line({kUndone, std::to_string(number)}));
}

platform::status::Status UndoRecord::kept(std::size_t number, const std::string& reason) {
  return file_.append(record::line({kKept, std::to_string(number), reason}));
}

platform::status::Status UndoRecord::end(std::size_t undone, std::size_t kept) {
  platform::status::Status step =
      file_.append(record::line({kEnd, std::to_string(undone), std::to_string(kept), recordTimeNow()}));
  if (step) step = file_.flush();
  return step;
}

}  // namespace administrator::runrecord
