#pragma once
#include <cstdint>
#include <string>

#include <platform/filesystem/FileDescriptor.h>
#include <platform/status/Status.h>

namespace administrator::runrecord {

// One run or undo at a time per catalogue: a lock held on the catalogue file
// itself, so it is the same under any name of the file, for every user, and
// goes with a process that dies. It leaves nothing beside the catalogue.
// Release it only after the catalogue is closed: closing a descriptor of the
// file would drop the database engine's own locks on it.
class CatalogueLock {
 public:
  platform::status::Status take(const std::string& cataloguePath);
  void release() { file_ = {}; }
  // Whether the path still names the locked file; a catalogue removed or
  // replaced during a run would take the rows of the files filed after that.
  platform::status::Status checkUnchanged() const;
  std::uint64_t device() const { return device_; }
  std::uint64_t inode() const { return inode_; }

 private:
  platform::filesystem::FileDescriptor file_;
  std::string path_;
  std::uint64_t device_ = 0, inode_ = 0;
};

}  // namespace administrator::runrecord
