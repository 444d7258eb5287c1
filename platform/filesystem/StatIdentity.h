#pragma once
#include <sys/stat.h>

#include <platform/filesystem/FileIdentity.h>

namespace platform::filesystem {

// What a stat of a file tells of its identity and version.
inline FileIdentity identityOf(const struct stat& info) {
  FileIdentity identity{static_cast<std::uint64_t>(info.st_dev), static_cast<std::uint64_t>(info.st_ino),
                        static_cast<std::uint64_t>(info.st_nlink)};
  identity.size = static_cast<std::uint64_t>(info.st_size);
  identity.modifiedNs = std::int64_t{info.st_mtim.tv_sec} * 1'000'000'000 + info.st_mtim.tv_nsec;
  return identity;
}

}  // namespace platform::filesystem
