#include <administrator/runrecord/RecordFile.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <system_error>

#include <platform/filesystem/ReadFully.h>

namespace administrator::runrecord {

using platform::status::Status;
namespace {

std::string quoted(const std::string& path) { return "\"" + path + "\""; }

Status systemFailure(const std::string& attempt, int error) {
  return Status::failure(attempt, std::generic_category().message(error));
}

}  // namespace

Status RecordFile::failure(const std::string& attempt, int error) const {
  return systemFailure(attempt + " " + quoted(path_), error);
}

Status RecordFile::create(const std::string& path, bool& taken) {
  path_ = path;
  file_ = platform::filesystem::FileDescriptor{
      ::open(path.c_str(), O_RDWR | O_APPEND | O_CREAT | O_EXCL | O_CLOEXEC, 0600)};  // read to cut a torn line
  const int error = errno;
  taken = !file_.valid() && error == EEXIST;
  empty_ = true;
  return file_.valid() ? Status::success() : failure("make the run record", error);
}

Status RecordFile::openToAdd(const std::string& path) {
  path_ = path;
  file_ = platform::filesystem::FileDescriptor{::open(path.c_str(), O_RDWR | O_APPEND | O_CLOEXEC)};
  if (!file_.valid()) return failure("open the run record", errno);
  return cutTornLine();
}

// A line without its line break was being written when its writer died.
Status RecordFile::cutTornLine() {
  struct stat info {};
  if (::fstat(file_.get(), &info) != 0) return failure("look at the run record", errno);
  off_t end = info.st_size;
  char byte = '\n';
  while (end > 0) {
    if (::pread(file_.get(), &byte, 1, end - 1) != 1) return failure("read the run record", errno);
    if (byte == '\n') break;
    --end;
  }
  if (end != info.st_size && ::ftruncate(file_.get(), end) != 0) return failure("repair the run record", errno);
  empty_ = end == 0;
  return Status::success();
}

Status RecordFile::append(const std::string& lines) {
  if (!file_.valid()) return Status::failure("write the run record " + quoted(path_), "it is not open");
  std::size_t written = 0;
  while (written < lines.size()) {
    const ssize_t put = ::write(file_.get(), lines.data() + written, lines.size() - written);
    if (put < 0 && errno == EINTR) continue;
    if (put < 0) {
      // A full disk can take part of a line: cut it, so that the run's end line
      // still stands on a line of its own.
      const Status failed = failure("write the run record", errno);
      if (written > 0) (void)cutTornLine();
      return failed;
    }
    written += static_cast<std::size_t>(put);
  }
  empty_ = empty_ && lines.empty();
  return Status::success();
}

Status RecordFile::flush() {
  if (file_.valid() && ::fsync(file_.get()) != 0) return failure("flush the run record", errno);
  return Status::success();
}

Status readRecordText(const std::string& path, std::string& text) {
  text.clear();
  platform::filesystem::FileDescriptor file{::open(path.c_str(), O_RDONLY | O_CLOEXEC)};
  if (!file.valid()) return systemFailure("read the run record " + quoted(path), errno);
  char buffer[65536];
  for (;;) {
    const ssize_t got = platform::filesystem::readFully(file.get(), buffer, sizeof buffer);
    if (got < 0) return systemFailure("read the run record " + quoted(path), errno);
    text.append(buffer, static_cast<std::size_t>(got));
    if (got < static_cast<ssize_t>(sizeof buffer)) return Status::success();
  }
}

Status readRecordEnds(const std::string& path, std::size_t size, std::string& head, std::string& lastLine) {
  head.clear();
  lastLine.clear();
  platform::filesystem::FileDescriptor file{::open(path.c_str(), O_RDONLY | O_CLOEXEC)};
  struct stat info {};
  if (!file.valid() || ::fstat(file.get(), &info) != 0)
    return systemFailure("read the run record " + quoted(path), errno);
  head.resize(std::min<std::size_t>(size, static_cast<std::size_t>(info.st_size)));
  if (::pread(file.get(), head.data(), head.size(), 0) != static_cast<ssize_t>(head.size()))
    return systemFailure("read the run record " + quoted(path), errno);
  // The last whole line, without its line break; none when the file ends torn.
  constexpr off_t kTail = 4096;
  const off_t from = std::max<off_t>(0, info.st_size - kTail);
  std::string tail(static_cast<std::size_t>(info.st_size - from), '\0');
  if (::pread(file.get(), tail.data(), tail.size(), from) != static_cast<ssize_t>(tail.size()))
    return systemFailure("read the run record " + quoted(path), errno);
  if (tail.empty() || tail.back() != '\n') return Status::success();
  tail.pop_back();
  const std::size_t start = tail.rfind('\n');
  lastLine = start == std::string::npos ? tail : tail.substr(start + 1);
  return Status::success();
}

}  // namespace administrator::runrecord
