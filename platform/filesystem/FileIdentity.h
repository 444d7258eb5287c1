#pragma once

#include <cstdint>

namespace platform::filesystem {

// What makes a file the same file under any of its names: its device and inode.
struct FileIdentity {
  std::uint64_t device = 0;
  std::uint64_t inode = 0;
  std::uint64_t links = 1;  // how many names it has; not part of what it is
  bool operator==(const FileIdentity& other) const { return device == other.device && inode == other.inode; }
};

}  // namespace platform::filesystem
