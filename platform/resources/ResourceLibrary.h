#pragma once
// The resources of a library file: loads it (or borrows a handle already open)
// and finds its exported resource table.
#include <filesystem>
#include <memory>
#include <optional>
#include <string>

#include "ResourceTableView.h"
#include "Result.h"

namespace resources {

class ResourceLibrary {
 public:
  // Loads the library with RTLD_NOW | RTLD_LOCAL; unloads it when the last
  // copy of this object goes. A relative path is taken from the current
  // directory, never searched for along the loader's library path.
  static Result<ResourceLibrary> open(const std::filesystem::path& path);
  // Uses a handle that its owner keeps open for as long as this object lives.
  static Result<ResourceLibrary> borrow(void* handle, const std::filesystem::path& path);

  std::optional<ResourceBytes> find(const ResourceId& type, const ResourceId& name) const {
    return table_.find(type, name);
  }
  const ResourceTableView& table() const { return table_; }
  const std::filesystem::path& path() const { return path_; }

 private:
  struct HandleCloser {
    void operator()(void* handle) const;
  };
  using OwnedHandle = std::shared_ptr<void>;

  ResourceLibrary(OwnedHandle handle, ResourceTableView table, std::filesystem::path path)
      : handle_(std::move(handle)), table_(table), path_(std::move(path)) {}
  static Result<ResourceLibrary> readTable(OwnedHandle handle, void* raw, const std::filesystem::path& path);

  OwnedHandle handle_;  // empty when borrowed
  ResourceTableView table_;
  std::filesystem::path path_;
};

}  // namespace resources
