#pragma once
#include <string>

#include <administrator/runrecord/RecordFile.h>
#include <administrator/runrecord/RunRecordFolder.h>

namespace mervalis {

// The record of undoing one run, beside the run's own ("<id>.undo"): each file
// is noted before it is moved back and once its row is gone, so that an undo
// killed half way is finished by the next one.
class UndoRecord {
 public:
  UndoRecord(const RunRecordFolder& folder, std::string runId) : folder_(folder), runId_(std::move(runId)) {}

  // Starts or goes on with the record; `journalMode` is the catalogue's as found.
  Status begin(const std::string& journalMode);
  Status undoing(std::size_t number);
  Status undone(std::size_t number);
  Status kept(std::size_t number, const std::string& reason);
  Status end(std::size_t undone, std::size_t kept);

 private:
  const RunRecordFolder& folder_;
  std::string runId_;
  RecordFile file_;
};

}  // namespace mervalis
