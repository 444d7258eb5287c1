#pragma once
// Wrappers around the run's real seams that count every call and fail the Nth,
// as SQLite's own fault tests do. A failing call touches nothing; a hook may act
// on the world just before a chosen call (a target appears, a lock is taken).
#include <cerrno>
#include <functional>
#include <string>

#include <administrator/importrun/RunRecord.h>
#include <administrator/catalogue/Catalogue.h>
#include <platform/filesystem/PosixFileSystem.h>
#include <platform/filesystem/SystemError.h>

namespace tests::proof {

using platform::status::Status;

struct FaultPlan {
  explicit FaultPlan(long failingCall = 0) : failAt(failingCall) {}

  long failAt;  // 0: count only
  long calls = 0;
  std::string injectedAt;  // the call that failed, empty when none did
  std::function<void(const std::string& call, const std::string& argument)> before;

  // Fails the nth call of one kind (counted from 1) instead of a call by number.
  void failOn(std::string call, int nth) {
    failCall_ = std::move(call);
    failNth_ = nth;
  }

  // Counts a call; true when this one is to fail.
  bool fails(const std::string& call, const std::string& argument = {}) {
    if (before) before(call, argument);
    const bool nthOfItsKind = call == failCall_ && ++failSeen_ == failNth_;
    if (++calls != failAt && !nthOfItsKind) return false;
    injectedAt = call + " " + argument;
    return true;
  }
  static platform::status::Status injected(const std::string& call) {
    return platform::status::Status::failure(call, "injected failure");
  }

 private:
  std::string failCall_;
  int failNth_ = 0, failSeen_ = 0;
};

class CountingFileSystem : public platform::filesystem::FileSystem {
 public:
  CountingFileSystem(platform::filesystem::FileSystem& real, FaultPlan& plan) : real_(real), plan_(plan) {}

  platform::filesystem::Listing listFiles(const std::string& folder) override {
    if (plan_.fails("listFiles", folder)) return {FaultPlan::injected("list the folder " + folder), {}};
    return real_.listFiles(folder);
  }
  platform::filesystem::Listing listSubfolders(const std::string& folder) override {
    if (plan_.fails("listSubfolders", folder)) return {FaultPlan::injected("list the folder " + folder), {}};
    return real_.listSubfolders(folder);
  }
  // A failed test answers "no", as an unreadable folder would.
  bool folderExists(const std::string& path) override {
    return !plan_.fails("folderExists", path) && real_.folderExists(path);
  }
  bool fileExists(const std::string& path) override {
    return !plan_.fails("fileExists", path) && real_.fileExists(path);
  }
  platform::status::Result<platform::filesystem::FileIdentity> identify(const std::string& path) override {
    if (plan_.fails("identify", path)) return {FaultPlan::injected("look at " + path), {}};
    return real_.identify(path);
  }
  platform::status::Status checkReadable(const std::string& path) override {
    return plan_.fails("checkReadable", path) ? FaultPlan::injected("read " + path) : real_.checkReadable(path);
  }
  platform::status::Status createFolder(const std::string& path) override {
    return plan_.fails("createFolder", path) ? FaultPlan::injected("create " + path) : real_.createFolder(path);
  }
  platform::status::Status removeEmptyFolder(const std::string& path) override {
    return plan_.fails("removeEmptyFolder", path) ? FaultPlan::injected("remove " + path)
                                                  : real_.removeEmptyFolder(path);
  }
  platform::status::Status moveFile(const std::string& source, const std::string& target) override {
    return plan_.fails("moveFile", target) ? FaultPlan::injected("move " + source) : real_.moveFile(source, target);
  }
  platform::status::Status removeIdenticalCopy(const std::string& copy, const std::string& original) override {
    return plan_.fails("removeIdenticalCopy", copy) ? FaultPlan::injected("remove " + copy)
                                                    : real_.removeIdenticalCopy(copy, original);
  }

 private:
  platform::filesystem::FileSystem& real_;
  FaultPlan& plan_;
};

// The real file system whose chunk writes of a copy between volumes count too;
// the failing one reports a full disk. The points of the copy reach the plan's hook.
class DiskFillingFileSystem : public platform::filesystem::PosixFileSystem {
 public:
  DiskFillingFileSystem(Moves moves, FaultPlan& plan) : PosixFileSystem(moves), plan_(plan) {}

 protected:
  platform::status::Status writeChunk(int fd, const char* data, std::size_t size, const std::string& path) override {
    if (plan_.fails("writeChunk", path)) return platform::filesystem::systemFailure("write \"" + path + "\"", ENOSPC);
    return PosixFileSystem::writeChunk(fd, data, size, path);
  }
  // Not counted: the hook cannot fail, it only lets a scenario act on the source there.
  void reached(CopyPoint point, const std::string& source) override {
    if (plan_.before) plan_.before(point == CopyPoint::ContentWritten ? "contentWritten" : "copyNamed", source);
  }

 private:
  FaultPlan& plan_;
};

class CountingCatalogue : public administrator::catalogue::Catalogue {
 public:
  CountingCatalogue(administrator::catalogue::Catalogue& real, FaultPlan& plan) : real_(real), plan_(plan) {}

  platform::status::Status open(const std::string& path) override {
    return plan_.fails("open", path) ? FaultPlan::injected("open " + path) : real_.open(path);
  }
  platform::status::Status begin() override {
    return plan_.fails("begin") ? FaultPlan::injected("begin") : real_.begin();
  }
  platform::status::Status insert(const std::string& track, const std::string& artist, const std::string& album,
                                  const std::string& fileName) override {
    if (plan_.fails("insert", fileName)) return FaultPlan::injected("insert");
    return real_.insert(track, artist, album, fileName);
  }
  std::int64_t insertedRowid() const override { return real_.insertedRowid(); }
  platform::status::Status commit() override {
    return plan_.fails("commit") ? FaultPlan::injected("commit") : real_.commit();
  }
  platform::status::Status rollback() override {
    return plan_.fails("rollback") ? FaultPlan::injected("rollback") : real_.rollback();
  }
  platform::status::Status holdsRow(const administrator::catalogue::CatalogueRow& row, bool& holds) override {
    return plan_.fails("holdsRow", row.fileName) ? FaultPlan::injected("look up") : real_.holdsRow(row, holds);
  }
  platform::status::Status restoreRow(const administrator::catalogue::CatalogueRow& row) override {
    return plan_.fails("restoreRow", row.fileName) ? FaultPlan::injected("restore") : real_.restoreRow(row);
  }
  platform::status::Status deleteRow(const administrator::catalogue::CatalogueRow& row, bool& deleted) override {
    return plan_.fails("deleteRow", row.fileName) ? FaultPlan::injected("delete") : real_.deleteRow(row, deleted);
  }
  std::string journalModeFound() const override { return real_.journalModeFound(); }
  platform::status::Status putBackJournalMode(const std::string& mode) override {
    return plan_.fails("putBackJournalMode", mode) ? FaultPlan::injected("put back " + mode)
                                                   : real_.putBackJournalMode(mode);
  }
  void close() override {
    plan_.fails("close");  // cannot fail; counted so hooks can act there
    real_.close();
  }

 private:
  administrator::catalogue::Catalogue& real_;
  FaultPlan& plan_;
};

class CountingRecord : public administrator::importrun::RunRecord {
 public:
  using FileIdentity = platform::filesystem::FileIdentity;
  CountingRecord(administrator::importrun::RunRecord& real, FaultPlan& plan) : real_(real), plan_(plan) {}

  platform::status::Status open(const std::string& path,
                                std::vector<administrator::importrun::KilledRun>& killed) override {
    return plan_.fails("record open", path) ? FaultPlan::injected("open the record") : real_.open(path, killed);
  }
  platform::status::Status settleKilled(const administrator::importrun::KilledRun& run,
                                        const std::optional<FileIdentity>& asFiled) override {
    return plan_.fails("record settle", run.id) ? FaultPlan::injected("settle") : real_.settleKilled(run, asFiled);
  }
  platform::status::Status start(const administrator::importrun::RunInputs& inputs, const std::string& mode) override {
    return plan_.fails("record start", mode) ? FaultPlan::injected("start the record") : real_.start(inputs, mode);
  }
  std::string runId() const override { return real_.runId(); }
  platform::status::Status folderCreated(const std::string& path) override {
    return plan_.fails("record folder", path) ? FaultPlan::injected("note the folder") : real_.folderCreated(path);
  }
  platform::status::Status filing(const administrator::importrun::FilingEntry& entry) override {
    return plan_.fails("record file", entry.target()) ? FaultPlan::injected("note") : real_.filing(entry);
  }
  platform::status::Status filed(std::size_t number, const FileIdentity& asFiled) override {
    return plan_.fails("record filed") ? FaultPlan::injected("note filed") : real_.filed(number, asFiled);
  }
  platform::status::Status notFiled(std::size_t number) override {
    return plan_.fails("record back") ? FaultPlan::injected("note back") : real_.notFiled(number);
  }
  platform::status::Status finish(const administrator::importrun::RunEnding& ending) override {
    return plan_.fails("record finish") ? FaultPlan::injected("finish") : real_.finish(ending);
  }
  void close() override { real_.close(); }

 private:
  administrator::importrun::RunRecord& real_;
  FaultPlan& plan_;
};

}  // namespace tests::proof
