#include <platform/resources/FileByteSource.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <limits>
#include <string>

namespace platform::resources {

using status::Result;
using status::Status;

Result<FileByteSource> FileByteSource::open(const std::filesystem::path& path) {
  const auto failure = [&](int error) -> Result<FileByteSource> {
    return {Status::failure("cannot read '" + path.string() + "': " + std::strerror(error))};
  };
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return failure(errno);
  FileByteSource file(fd, 0);
  struct ::stat status {};
  if (::fstat(fd, &status) != 0) return failure(errno);
  // A folder or a device has no bytes a library could be read from.
  if (!S_ISREG(status.st_mode)) return failure(EINVAL);
  file.size_ = static_cast<std::uint64_t>(status.st_size);
  return {Status::success(), std::move(file)};
}

FileByteSource::FileByteSource(FileByteSource&& other) noexcept : fd_(other.fd_), size_(other.size_) { other.fd_ = -1; }

FileByteSource::~FileByteSource() {
  if (fd_ >= 0) ::close(fd_);
}

bool FileByteSource::read(std::uint64_t offset, std::span<std::uint8_t> into) const {
  if (offset > size_ || into.size() > size_ - offset) return false;
  std::size_t done = 0;
  while (done < into.size()) {
    const std::uint64_t at = offset + done;
    if (at > static_cast<std::uint64_t>(std::numeric_limits<off_t>::max())) return false;
    const ssize_t got = ::pread(fd_, into.data() + done, into.size() - done, static_cast<off_t>(at));
    if (got < 0 && errno == EINTR) continue;
    if (got <= 0) return false;  // an error, or the file shrank under us
    done += static_cast<std::size_t>(got);
  }
  return true;
}

}  // namespace platform::resources
