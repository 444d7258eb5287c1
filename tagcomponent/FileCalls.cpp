#include <tagcomponent/FileCalls.h>

#include <fcntl.h>
#include <unistd.h>

namespace tagcomponent {

int FileCalls::stat(const char* path, struct ::stat* status) const { return ::stat(path, status); }
int FileCalls::fstat(int fd, struct ::stat* status) const { return ::fstat(fd, status); }
int FileCalls::open(const char* path, int flags) const { return ::open(path, flags); }
ssize_t FileCalls::pread(int fd, void* buffer, size_t count, off_t offset) const {
  return ::pread(fd, buffer, count, offset);
}
ssize_t FileCalls::pwrite(int fd, const void* buffer, size_t count, off_t offset) const {
  return ::pwrite(fd, buffer, count, offset);
}
int FileCalls::ftruncate(int fd, off_t length) const { return ::ftruncate(fd, length); }
int FileCalls::close(int fd) const { return ::close(fd); }

const FileCalls& FileCalls::posix() {
  static const FileCalls calls;
  return calls;
}

}  // namespace tagcomponent
