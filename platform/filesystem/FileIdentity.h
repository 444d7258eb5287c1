#pragma once

#include <cstdint>

namespace platform::filesystem {

// What makes a file the same file under any of its names: its device and inode.
struct FileIdentity {
  std::uint64_t device = 0;
  std::uint64_t inode = 0;
  bool operator==(const FileIdentity&) const = default;
};

}  // namespace platform::filesystem
