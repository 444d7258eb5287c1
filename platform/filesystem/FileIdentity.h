#pragma once

#include <cstdint>

namespace platform::filesystem {

// What makes a file the same file under any of its names: its device and inode.
struct FileIdentity {
  std::uint64_t device = 0;
  std::uint64_t inode = 0;
  std::uint64_t links = 1;  // how many names it has; not part of what it is
  // The version of its content, as far as the file system tells it.
  std::uint64_t size = 0;
  std::int64_t modifiedNs = 0;  // modification time, nanoseconds since 1970
  bool operator==(const FileIdentity& other) const { return device == other.device && inode == other.inode; }
};

// The same file with the same content as far as the file system tells: a file
// saved over the name has another inode, an edit moves the size or the time.
inline bool sameVersion(const FileIdentity& a, const FileIdentity& b) {
  return a == b && a.size == b.size && a.modifiedNs == b.modifiedNs;
}

}  // namespace platform::filesystem
