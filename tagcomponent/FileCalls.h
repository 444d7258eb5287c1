#pragma once
#include <sys/stat.h>
#include <sys/types.h>

namespace tagcomponent {

// The POSIX calls through which the tag reaches its file, one virtual per call with
// the POSIX contract (-1 and errno on failure). The real set is `posix()`; tests
// derive from it to make single calls fail, such as a write that runs out of space
// halfway.
class FileCalls {
 public:
  virtual ~FileCalls() = default;

  virtual int stat(const char* path, struct ::stat* status) const;
  virtual int fstat(int fd, struct ::stat* status) const;
  virtual int open(const char* path, int flags) const;
  virtual ssize_t pread(int fd, void* buffer, size_t count, off_t offset) const;
  virtual ssize_t pwrite(int fd, const void* buffer, size_t count, off_t offset) const;
  virtual int ftruncate(int fd, off_t length) const;
  virtual int close(int fd) const;

  static const FileCalls& posix();
};

}  // namespace tagcomponent
