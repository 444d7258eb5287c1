#pragma once
// One MP3 file held in memory behind the control's file-call seam, so that fuzzed
// input never reaches the disk: only kPath exists, as an ordinary writable file.
#include <fcntl.h>
#include <sys/stat.h>

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <cstring>
#include <vector>

#include <tagcomponent/FileCalls.h>

namespace fuzz {

constexpr char kPath[] = "/music/track.mp3";
constexpr char16_t kPath16[] = u"/music/track.mp3";
constexpr int kDescriptor = 3;

// One ordinary, writable file held in memory; any other name does not exist. The
// file may begin with `skipped` bytes of audio that are not held: they read as
// zeros, and any write to them is remembered, so a huge file costs nothing.
class MemoryFile : public tagcomponent::FileCalls {
 public:
  MemoryFile(std::vector<std::uint8_t> bytes, off_t skipped) : bytes_(std::move(bytes)), skipped_(skipped) {}

  // The held bytes: everything after the skipped ones.
  const std::vector<std::uint8_t>& bytes() const { return bytes_; }
  int openCount() const { return openCount_; }
  bool skippedBytesWritten() const { return skippedBytesWritten_; }

  int stat(const char* path, struct ::stat* status) const override {
    if (std::strcmp(path, kPath) != 0) return fail(ENOENT);
    return fstat(kDescriptor, status);
  }
  int fstat(int fd, struct ::stat* status) const override {
    if (fd != kDescriptor) return fail(EBADF);
    *status = {};
    status->st_mode = S_IFREG | 0644;
    status->st_size = skipped_ + static_cast<off_t>(bytes_.size());
    return 0;
  }
  int open(const char* path, int) const override {
    if (std::strcmp(path, kPath) != 0) return fail(ENOENT);
    ++openCount_;
    return kDescriptor;
  }
  ssize_t pread(int fd, void* buffer, size_t count, off_t offset) const override {
    if (fd != kDescriptor || offset < 0) return fail(EINVAL);
    auto* to = static_cast<std::uint8_t*>(buffer);
    if (offset < skipped_) {
      const auto n = static_cast<std::size_t>(std::min<off_t>(static_cast<off_t>(count), skipped_ - offset));
      std::fill_n(to, n, 0);
      return static_cast<ssize_t>(n);
    }
    const auto from = std::min(static_cast<std::size_t>(offset - skipped_), bytes_.size());
    const auto n = std::min(count, bytes_.size() - from);
    std::copy_n(bytes_.begin() + static_cast<std::ptrdiff_t>(from), n, to);
    return static_cast<ssize_t>(n);
  }
  ssize_t pwrite(int fd, const void* buffer, size_t count, off_t offset) const override {
    if (fd != kDescriptor || offset < 0) return fail(EINVAL);
    if (offset < skipped_) {
      skippedBytesWritten_ = true;
      return fail(EIO);
    }
    const auto at = static_cast<std::size_t>(offset - skipped_);
    if (bytes_.size() < at + count) bytes_.resize(at + count);
    std::copy_n(static_cast<const std::uint8_t*>(buffer), count, bytes_.begin() + static_cast<std::ptrdiff_t>(at));
    return static_cast<ssize_t>(count);
  }
  int ftruncate(int fd, off_t length) const override {
    if (fd != kDescriptor || length < 0) return fail(EINVAL);
    if (length < skipped_) {
      skippedBytesWritten_ = true;
      return fail(EIO);
    }
    bytes_.resize(static_cast<std::size_t>(length - skipped_));
    return 0;
  }
  int close(int fd) const override {
    if (fd != kDescriptor || openCount_ == 0) return fail(EBADF);
    --openCount_;
    return 0;
  }

 private:
  static int fail(int error) {
    errno = error;
    return -1;
  }

  mutable std::vector<std::uint8_t> bytes_;
  const off_t skipped_;
  mutable int openCount_ = 0;
  mutable bool skippedBytesWritten_ = false;
};

}  // namespace fuzz
