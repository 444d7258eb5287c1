#pragma once
// The raw tag load that tag reading is measured against: per file stat, open,
// read the last 128 bytes, close. The checksum keeps the reads from being dropped.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <string>
#include <vector>

namespace bench::common {

inline long rawTagLoad(const std::vector<std::string>& paths) {
  long checksum = 0;
  unsigned char tail[128];
  for (const auto& path : paths) {
    struct stat status {};
    if (::stat(path.c_str(), &status) != 0) continue;
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) continue;
    if (status.st_size >= 128 && ::pread(fd, tail, sizeof tail, status.st_size - 128) == 128) checksum += tail[5];
    ::close(fd);
  }
  return checksum;
}

}  // namespace bench::common
