#include <administrator/runrecord/CatalogueLock.h>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>

#include <cerrno>
#include <system_error>

namespace administrator::runrecord {

using platform::status::Status;

Status CatalogueLock::take(const std::string& cataloguePath) {
  path_ = cataloguePath;
  const std::string attempt = "file into the catalogue \"" + cataloguePath + "\"";
  file_ = platform::filesystem::FileDescriptor{::open(cataloguePath.c_str(), O_RDONLY | O_CLOEXEC)};
  // A file that cannot be opened is no catalogue: opening it as one says why.
  if (!file_.valid()) return Status::success();
  struct stat info {};
  if (::fstat(file_.get(), &info) != 0) return Status::failure(attempt, std::generic_category().message(errno));
  device_ = static_cast<std::uint64_t>(info.st_dev);
  inode_ = static_cast<std::uint64_t>(info.st_ino);
  if (::flock(file_.get(), LOCK_EX | LOCK_NB) == 0) return Status::success();
  if (errno == EWOULDBLOCK) {
    file_ = {};
    return Status::failure(attempt, "another run is filing into it; try again when it has finished");
  }
  return Status::success();  // a file system without locks: runs go on as before
}

Status CatalogueLock::checkUnchanged() const {
  struct stat now {};
  if (::stat(path_.c_str(), &now) == 0 && static_cast<std::uint64_t>(now.st_dev) == device_ &&
      static_cast<std::uint64_t>(now.st_ino) == inode_)
    return Status::success();
  return Status::failure("keep filing into the catalogue \"" + path_ + "\"",
                         "the file was removed or replaced during the run");
}

}  // namespace administrator::runrecord
