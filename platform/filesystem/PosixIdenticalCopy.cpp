// Removing a copy that a stopped move left beside its source.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <vector>

#include <platform/filesystem/FileDescriptor.h>
#include <platform/filesystem/PosixFileSystem.h>
#include <platform/filesystem/ReadFully.h>
#include <platform/filesystem/SystemError.h>

namespace platform::filesystem {
namespace {

constexpr std::size_t compareChunkSize = 1 << 20;

status::Status sameBytes(int a, int b, const std::string& copy, const std::string& original) {
  std::vector<char> left(compareChunkSize), right(compareChunkSize);
  for (;;) {
    const ssize_t gotLeft = readFully(a, left.data(), left.size());
    if (gotLeft < 0) return systemFailure("read " + quoted(copy), errno);
    const ssize_t gotRight = readFully(b, right.data(), right.size());
    if (gotRight < 0) return systemFailure("read " + quoted(original), errno);
    if (gotLeft != gotRight || std::memcmp(left.data(), right.data(), static_cast<std::size_t>(gotLeft)) != 0)
      return status::Status::failure("compare " + quoted(copy) + " with " + quoted(original), "the two files differ");
    if (gotLeft == 0) return status::Status::success();
  }
}

}  // namespace

status::Status PosixFileSystem::removeIdenticalCopy(const std::string& copy, const std::string& original) {
  const std::string attempt = "remove " + quoted(copy) + " as a copy of " + quoted(original);
  FileDescriptor copyFd{::open(copy.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC)};
  if (!copyFd.valid()) return systemFailure(attempt, errno);
  FileDescriptor originalFd{::open(original.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC)};
  if (!originalFd.valid()) return systemFailure(attempt, errno);
  struct stat copyInfo {};
  struct stat originalInfo {};
  if (::fstat(copyFd.get(), &copyInfo) != 0 || ::fstat(originalFd.get(), &originalInfo) != 0)
    return systemFailure(attempt, errno);
  if (!S_ISREG(copyInfo.st_mode) || !S_ISREG(originalInfo.st_mode))
    return status::Status::failure(attempt, "they are not both ordinary files");
  // Two names of one file are no copy: removing one could leave no name at all.
  if (copyInfo.st_dev == originalInfo.st_dev && copyInfo.st_ino == originalInfo.st_ino)
    return status::Status::failure(attempt, "both names are of one file");
  if (copyInfo.st_size != originalInfo.st_size) return status::Status::failure(attempt, "the two files differ");
  if (status::Status same = sameBytes(copyFd.get(), originalFd.get(), copy, original); !same) return same;
  // The name must still be the file just compared.
  struct stat named {};
  if (::lstat(copy.c_str(), &named) != 0) return systemFailure(attempt, errno);
  if (named.st_dev != copyInfo.st_dev || named.st_ino != copyInfo.st_ino)
    return status::Status::failure(attempt, "it was replaced while being compared");
  if (::unlink(copy.c_str()) != 0) return systemFailure(attempt, errno);
  return status::Status::success();
}

}  // namespace platform::filesystem
