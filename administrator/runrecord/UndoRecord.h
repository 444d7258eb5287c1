#pragma once
#include <string>

#include <administrator/runrecord/RecordFile.h>
#include <administrator/runrecord/RunRecordFolder.h>

namespace administrator::runrecord {

// The record of undoing one run, beside the run's own ("<id>.undo"): each file
// is noted before it is moved back and once its row is gone, so that an undo
// killed half way is finished by the next one.
class UndoRecord {
 public:
  UndoRecord(const RunRecordFolder& folder, std::string runId) : folder_(folder), runId_(std::move(runId)) {}

  // Starts or goes on with the record; `journalMode` is the catalogue's as found.
  platform::status::Status begin(const std::string& journalMode);
  platform::status::Status undoing(std::size_t number);
  platform::status::Status undone(std::size_t number);
  platform::status::Status kept(std::size_t number, const std::string& reason);
  platform::status::Status end(std::size_t undone, std::size_t kept);

 private:
  const RunRecordFolder& folder_;
  std::string runId_;
  RecordFile file_;
};

}  // namespace administrator::runrecord
