#include <tagcomponent/TagFileAccess.h>

#include <platform/text/Utf.h>

#include <fcntl.h>

#include <cerrno>
#include <utility>

namespace tagcomponent {

// File lengths and offsets are 64-bit: files of 2 GiB and more load and save like
// any other.
static_assert(sizeof(off_t) == 8, "tag file access needs 64-bit file offsets");

namespace {

constexpr std::int64_t kTagSize = ID3tagRecord::kFileSize;

// The hidden mark: the name's last component, as given, begins with ".". There is
// no system mark on this platform.
bool isHiddenName(std::string_view path) {
  const auto slash = path.rfind('/');
  const auto last = slash == std::string_view::npos ? path : path.substr(slash + 1);
  return !last.empty() && last.front() == '.';
}

// The read-only mark: no write bit for the file's owner. Read from the mode, not
// asked of access(2), because root may write anything and must still see the mark.
bool isReadOnlyMode(mode_t mode) { return (mode & S_IWUSR) == 0; }

// An open file that closes itself; close() reports the error of an explicit close.
class OpenFile {
 public:
  OpenFile(const FileCalls& calls, int fd) : calls_(&calls), fd_(fd) {}
  OpenFile(OpenFile&& other) noexcept : calls_(other.calls_), fd_(std::exchange(other.fd_, -1)) {}
  OpenFile(const OpenFile&) = delete;
  OpenFile& operator=(const OpenFile&) = delete;
  OpenFile& operator=(OpenFile&&) = delete;
  ~OpenFile() {
    if (fd_ >= 0) calls_->close(fd_);
  }
  int fd() const { return fd_; }
  bool isOpen() const { return fd_ >= 0; }
  // 0 or the errno of the close.
  int close() { return calls_->close(std::exchange(fd_, -1)) == 0 ? 0 : errno; }

 private:
  const FileCalls* calls_;
  int fd_;
};

// Opening never waits for a FIFO's writer nor makes a terminal the controlling one.
OpenFile openWithoutBlocking(const FileCalls& calls, const std::string& path, int accessMode) {
  return OpenFile(calls, calls.open(path.c_str(), accessMode | O_CLOEXEC | O_NOCTTY | O_NONBLOCK));
}

// Opens an existing file without blocking, and keeps it only when it is still an
// ordinary file: one swapped for a FIFO or device since the existence test is
// refused rather than written. Sets errno on failure.
OpenFile openOrdinaryFile(const FileCalls& calls, const std::string& path, int accessMode) {
  OpenFile file = openWithoutBlocking(calls, path, accessMode);
  if (!file.isOpen()) return file;
  struct ::stat status {};
  int refusal = 0;
  if (calls.fstat(file.fd(), &status) != 0) {
    refusal = errno;
  } else if (!S_ISREG(status.st_mode)) {
    refusal = EINVAL;
  }
  if (refusal != 0) {
    file.close();
    errno = refusal;
  }
  return file;
}

// Reads count bytes at offset; false with errno set when fewer arrive.
bool readExactly(const FileCalls& calls, int fd, std::uint8_t* buffer, std::size_t count, off_t offset) {
  std::size_t done = 0;
  while (done < count) {
    const ssize_t got = calls.pread(fd, buffer + done, count - done, offset + static_cast<off_t>(done));
    if (got < 0 && errno == EINTR) continue;
    if (got < 0) return false;
    if (got == 0) {
      errno = EIO;  // the file shrank under us
      return false;
    }
    done += static_cast<std::size_t>(got);
  }
  return true;
}

// Writes count bytes at offset; false with errno set when the write stops short.
bool writeExactly(const FileCalls& calls, int fd, const std::uint8_t* buffer, std::size_t count, off_t offset) {
  std::size_t done = 0;
  while (done < count) {
    const ssize_t put = calls.pwrite(fd, buffer + done, count - done, offset + static_cast<off_t>(done));
    if (put < 0 && errno == EINTR) continue;
    if (put < 0) return false;
    if (put == 0) {
      errno = ENOSPC;  // a write that makes no progress has no room left
      return false;
    }
    done += static_cast<std::size_t>(put);
  }
  return true;
}

}  // namespace

// One table for every failure SaveTag reports. A name the existence test does not
// find is 53 before it gets here; ENOENT later means the file vanished meanwhile.
std::int32_t fileErrorNumber(int errorCode) {
  switch (errorCode) {
    case ENOENT: return save_result::kFileNotFound;
    case EACCES:
    case EPERM: return save_result::kPermissionDenied;
    case ENOSPC:
    case EDQUOT: return save_result::kDiskFull;
    case EIO: return save_result::kDeviceIoError;
    case ENOTDIR: return save_result::kPathNotFound;
    case EMFILE:
    case ENFILE: return save_result::kTooManyFiles;
    default: return save_result::kPathFileAccessError;  // EROFS and all others
  }
}

// The existence test: the name, taken as given (relative names against the current
// directory), names an ordinary file after following symbolic links, and is not
// hidden. Directories, FIFOs, sockets and devices never pass and are never opened.
TagFileLookup TagFileAccess::lookUp(std::u16string_view name) const {
  TagFileLookup result;
  // Names arrive as UTF-16 and name files in UTF-8; a name that cannot name a file
  // faithfully names none.
  auto path = platform::text::fileNameBytes(name);
  if (name.empty() || !path || isHiddenName(*path)) return result;
  struct ::stat status {};
  if (calls_->stat(path->c_str(), &status) != 0) {
    // A missing file or folder is simply not found; any other failure is the
    // search's own.
    if (errno != ENOENT && errno != ENOTDIR) result.searchError = fileErrorNumber(errno);
    return result;
  }
  if (!S_ISREG(status.st_mode)) return result;
  result.found = true;
  result.path = std::move(*path);
  result.length = status.st_size;
  result.readOnly = isReadOnlyMode(status.st_mode);
  return result;
}

// The existence test has just found an ordinary file; unlike a write, a read does
// not look again (a fifth of the calls a read costs): a FIFO or folder swapped in
// meanwhile fails the read itself, a device gives what it holds as any file
// would, and nothing is ever written on that ground.
std::optional<ID3tagRecord::FileBytes> TagFileAccess::readLast128(const TagFileLookup& file) const {
  if (!file.found || file.length < kTagSize) return std::nullopt;
  OpenFile open = openWithoutBlocking(*calls_, file.path, O_RDONLY);
  if (!open.isOpen()) return std::nullopt;
  ID3tagRecord::FileBytes bytes{};
  if (!readExactly(*calls_, open.fd(), bytes.data(), bytes.size(), file.length - kTagSize)) return std::nullopt;
  return bytes;
}

std::int32_t TagFileAccess::probeForTag(const TagFileLookup& file, bool& hasTag) const {
  hasTag = false;
  if (file.length < kTagSize) return save_result::kSaved;
  OpenFile open = openOrdinaryFile(*calls_, file.path, O_RDONLY);
  if (!open.isOpen()) return fileErrorNumber(errno);
  std::uint8_t marker[3];
  if (!readExactly(*calls_, open.fd(), marker, sizeof marker, file.length - kTagSize)) return fileErrorNumber(errno);
  if (const int error = open.close()) return fileErrorNumber(error);
  hasTag = isTagMarker(marker);
  return save_result::kSaved;
}

// A write that stops short (disk full halfway) must not leave a partial tag glued
// to the file: after a failed append the file is cut back to its length before the
// write. A failed replace keeps the length anyway.
std::int32_t TagFileAccess::writeRecord(const TagFileLookup& file, bool replace,
                                        const ID3tagRecord::FileBytes& bytes) const {
  OpenFile open = openOrdinaryFile(*calls_, file.path, O_WRONLY);
  if (!open.isOpen()) return fileErrorNumber(errno);
  const off_t offset = replace ? file.length - kTagSize : file.length;
  if (!writeExactly(*calls_, open.fd(), bytes.data(), bytes.size(), offset)) {
    const int writeError = errno;
    if (!replace) calls_->ftruncate(open.fd(), file.length);
    return fileErrorNumber(writeError);
  }
  if (const int error = open.close()) return fileErrorNumber(error);
  return save_result::kSaved;
}

}  // namespace tagcomponent
