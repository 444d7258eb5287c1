#include <administrator/runrecord/CatalogueLock.h>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>

#include <cerrno>
#include <system_error>

namespace administrator::runrecord {

platform::status::Status CatalogueLock::take(const std::string& cataloguePath) {
  path_ = cataloguePath;
  const std::string attempt = "file into the catalogue \"" + cataloguePath + "\"";
  file_ = platform::filesystem::FileDescriptor{::open(cataloguePath.c_str(), O_RDONLY | O_CLOEXEC)};
  // A file that cannot be opened is no catalogue: opening it as one says why.
  if (!file_.valid()) return platform::status::Status::success();
  struct stat info {};
  if (::fstat(file_.get(), &info) != 0)
    return platform::status::Status::failure(attempt, std::generic_category().message(errno));
  device_ = static_cast<std::uint64_t>(info.st_dev);
  inode_ = static_cast<std::uint64_t>(info.st_ino);
  if (::flock(file_.get(), LOCK_EX | LOCK_NB) == 0) return platform::status::Status::success();
  if (errno == EWOULDBLOCK) {
    file_ = {};
    return platform::status::Status::failure(attempt, "another run is filing into it; try again when it has finished");
  }
  return platform::status::Status::success();  // a file system without locks: runs go on as before
}

platform::status::Status CatalogueLock::checkUnchanged() const {
  struct stat now {};
  if (::stat(path_.c_str(), &now) == 0 && static_cast<std::uint64_t>(now.st_dev) == device_ &&
      static_cast<std::uint64_t>(now.st_ino) == inode_)
    return platform::status::Status::success();
  return platform::status::Status::failure("keep filing into the catalogue \"" + path_ + "\"",
                                           "the file was removed or replaced during the run");
}

}  // namespace administrator::runrecord
