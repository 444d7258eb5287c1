#pragma once
// Wrappers around the run's real seams that count every call and fail the Nth,
// as SQLite's own fault tests do. A failing call touches nothing; a hook may act
// on the world just before a chosen call (a target appears, a lock is taken).
#include <cerrno>
#include <functional>
#include <string>

#include <RecoveryJournal.h>
#include <catalogue/Catalogue.h>
#include <filesystem/PosixFileSystem.h>
#include <filesystem/SystemError.h>

namespace proof {

using mervalis::Status;

struct FaultPlan {
  explicit FaultPlan(long failingCall = 0) : failAt(failingCall) {}

  long failAt;  // 0: count only
  long calls = 0;
  std::string injectedAt;  // the call that failed, empty when none did
  std::function<void(const std::string& call, const std::string& argument)> before;

  // Counts a call; true when this one is to fail.
  bool fails(const std::string& call, const std::string& argument = {}) {
    if (before) before(call, argument);
    if (++calls != failAt) return false;
    injectedAt = call + " " + argument;
    return true;
  }
  static Status injected(const std::string& call) { return Status::failure(call, "injected failure"); }
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
  bool fileExists(const std::string& path) override { return !plan_.fails("fileExists", path) && real_.fileExists(path); }
  platform::filesystem::Result<platform::filesystem::FileIdentity> identify(const std::string& path) override {
    if (plan_.fails("identify", path)) return {FaultPlan::injected("look at " + path), {}};
    return real_.identify(path);
  }
  Status checkReadable(const std::string& path) override {
    return plan_.fails("checkReadable", path) ? FaultPlan::injected("read " + path) : real_.checkReadable(path);
  }
  Status createFolder(const std::string& path) override {
    return plan_.fails("createFolder", path) ? FaultPlan::injected("create " + path) : real_.createFolder(path);
  }
  Status moveFile(const std::string& source, const std::string& target) override {
    return plan_.fails("moveFile", target) ? FaultPlan::injected("move " + source) : real_.moveFile(source, target);
  }
  Status removeIdenticalCopy(const std::string& copy, const std::string& original) override {
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
  Status writeChunk(int fd, const char* data, std::size_t size, const std::string& path) override {
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

class CountingCatalogue : public mervalis::Catalogue {
 public:
  CountingCatalogue(mervalis::Catalogue& real, FaultPlan& plan) : real_(real), plan_(plan) {}

  Status open(const std::string& path) override {
    return plan_.fails("open", path) ? FaultPlan::injected("open " + path) : real_.open(path);
  }
  Status begin() override { return plan_.fails("begin") ? FaultPlan::injected("begin") : real_.begin(); }
  Status insert(const std::string& track, const std::string& artist, const std::string& album,
                const std::string& fileName) override {
    if (plan_.fails("insert", fileName)) return FaultPlan::injected("insert");
    return real_.insert(track, artist, album, fileName);
  }
  Status commit() override { return plan_.fails("commit") ? FaultPlan::injected("commit") : real_.commit(); }
  Status rollback() override { return plan_.fails("rollback") ? FaultPlan::injected("rollback") : real_.rollback(); }
  std::string journalModeFound() const override { return real_.journalModeFound(); }
  Status putBackJournalMode(const std::string& mode) override {
    return plan_.fails("putBackJournalMode", mode) ? FaultPlan::injected("put back " + mode)
                                                  : real_.putBackJournalMode(mode);
  }
  void close() override {
    plan_.fails("close");  // cannot fail; counted so hooks can act there
    real_.close();
  }

 private:
  mervalis::Catalogue& real_;
  FaultPlan& plan_;
};

class CountingJournal : public mervalis::RecoveryJournal {
 public:
  CountingJournal(mervalis::RecoveryJournal& real, FaultPlan& plan) : real_(real), plan_(plan) {}

  Status open(const std::string& path, bool& found, mervalis::MoveInFlight& left) override {
    return plan_.fails("journal open", path) ? FaultPlan::injected("open the journal") : real_.open(path, found, left);
  }
  Status committed(const mervalis::MoveInFlight& move, bool& hasRow) override {
    return plan_.fails("journal committed", move.target) ? FaultPlan::injected("look up")
                                                          : real_.committed(move, hasRow);
  }
  Status record(const mervalis::MoveInFlight& move) override {
    return plan_.fails("journal record", move.target) ? FaultPlan::injected("note") : real_.record(move);
  }
  Status clear() override { return plan_.fails("journal clear") ? FaultPlan::injected("clear") : real_.clear(); }
  std::string journalModeLeft() const override { return real_.journalModeLeft(); }
  Status noteJournalMode(const std::string& mode) override {
    return plan_.fails("journal mode", mode) ? FaultPlan::injected("note the mode") : real_.noteJournalMode(mode);
  }
  void close() override { real_.close(); }

 private:
  mervalis::RecoveryJournal& real_;
  FaultPlan& plan_;
};

}  // namespace proof
