#pragma once

#include <sys/stat.h>
#include <unistd.h>

#include <optional>
#include <string>
#include <utility>

namespace platform::filesystem {

// Removes the file it names when it goes out of scope, unless kept: a temporary
// file or copy that did not end up where it was meant to go must not stay behind.
class RemovedUnlessKept {
 public:
  explicit RemovedUnlessKept(std::string path) : path_(std::move(path)) {}
  RemovedUnlessKept(const RemovedUnlessKept&) = delete;
  RemovedUnlessKept& operator=(const RemovedUnlessKept&) = delete;
  ~RemovedUnlessKept() {
    if (!path_.empty() && stillOurs()) ::unlink(path_.c_str());
  }

  const std::string& path() const { return path_; }
  // The file now goes by another name, which is removed instead.
  void renamedTo(std::string path) { path_ = std::move(path); }
  // The file now goes by a name others may also use, so it is removed only while
  // that name is still this file (its device and inode as fstat gave them).
  void renamedTo(std::string path, const struct stat& file) {
    path_ = std::move(path);
    file_ = file;
  }
  void keep() { path_.clear(); }

 private:
  bool stillOurs() const {
    if (!file_) return true;
    struct stat named {};
    return ::lstat(path_.c_str(), &named) == 0 && named.st_dev == file_->st_dev && named.st_ino == file_->st_ino;
  }

  std::string path_;
  std::optional<struct stat> file_;
};

}  // namespace platform::filesystem
