#pragma once

#include <unistd.h>

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
    if (!path_.empty()) ::unlink(path_.c_str());
  }

  const std::string& path() const { return path_; }
  // The file now goes by another name, which is removed instead.
  void renamedTo(std::string path) { path_ = std::move(path); }
  void keep() { path_.clear(); }

 private:
  std::string path_;
};

}  // namespace platform::filesystem
