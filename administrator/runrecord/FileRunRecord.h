#pragma once
#include <administrator/importrun/RunRecord.h>

#include <administrator/runrecord/CatalogueLock.h>
#include <administrator/runrecord/RecordFile.h>
#include <administrator/runrecord/RunRecordFolder.h>

namespace administrator::runrecord {

// The run record as a text file per run in the folder of run records, one line
// per entry ("file", then "filed" or "back" per file; "end" last), never
// rewritten: the next run reads a killed run's record and adds its ending.
class FileRunRecord : public importrun::RunRecord {
 public:
  explicit FileRunRecord(RunRecordFolder folder = RunRecordFolder()) : folder_(std::move(folder)) {}
  ~FileRunRecord() override { close(); }

  platform::status::Status open(const std::string& cataloguePath, std::vector<importrun::KilledRun>& killed) override;
  platform::status::Status settleKilled(const importrun::KilledRun& run,
                                        const std::optional<platform::filesystem::FileIdentity>& asFiled) override;
  platform::status::Status start(const importrun::RunInputs& inputs, const std::string& journalMode) override;
  std::string runId() const override { return id_; }
  platform::status::Status folderCreated(const std::string& path) override;
  platform::status::Status filing(const importrun::FilingEntry& entry) override;
  platform::status::Status filed(std::size_t number, const platform::filesystem::FileIdentity& asFiled) override;
  platform::status::Status notFiled(std::size_t number) override;
  platform::status::Status finish(const importrun::RunEnding& ending) override;
  void close() override;

  const CatalogueLock& catalogueLock() const { return lock_; }

 private:
  platform::status::Status findKilled(std::vector<importrun::KilledRun>& killed) const;
  platform::status::Status writePending();

  RunRecordFolder folder_;
  CatalogueLock lock_;
  RecordFile file_;
  std::string id_;
  std::string pending_;  // lines waiting for the next write
};

// The current time as the records write it: "2026-12-07T18:40:12Z".
std::string recordTimeNow();

}  // namespace administrator::runrecord
