#pragma once
#include <string>
#include <vector>

#include <platform/status/Status.h>

namespace administrator::runrecord {

// The folder that keeps one record per run, and one per undo of it:
// $XDG_STATE_HOME/mervalis/runs, by default ~/.local/state/mervalis/runs.
class RunRecordFolder {
 public:
  // From the environment; empty when neither XDG_STATE_HOME nor HOME is set.
  static std::string defaultPath();
  explicit RunRecordFolder(std::string path = defaultPath()) : path_(std::move(path)) {}

  const std::string& path() const { return path_; }
  // Makes the folder and the ones above it, private to the user.
  platform::status::Status create() const;
  // Every run's id, oldest first; a missing folder holds none.
  std::vector<std::string> runIds() const;
  std::string recordPath(const std::string& id) const { return path_ + "/" + id + ".run"; }
  std::string undoPath(const std::string& id) const { return path_ + "/" + id + ".undo"; }

 private:
  std::string path_;
};

// "20261207-184012-0012345": the start in UTC and the process, so that ids sort by time.
std::string newRunId(int attempt);

}  // namespace administrator::runrecord
