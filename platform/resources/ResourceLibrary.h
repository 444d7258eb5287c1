#pragma once
// The resources of a library file, read from its resource section without
// loading the library: no code of it runs, and a library built for another
// machine, or one that would not load here, still shows its resources.
#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>
#include <vector>

#include <platform/status/Status.h>

#include <platform/resources/ResourceTableView.h>

namespace platform::resources {

class ResourceLibrary {
 public:
  // A relative path is taken from the current directory. A failure names the
  // library and says why (unreadable, not a library, no resources, a table that
  // does not read).
  static status::Result<ResourceLibrary> open(const std::filesystem::path& path);

  // The bytes live as long as a copy of this object does.
  std::optional<ResourceBytes> find(const ResourceId& type, const ResourceId& name) const {
    return table_.find(type, name);
  }
  const ResourceTableView& table() const { return table_; }
  const std::filesystem::path& path() const { return path_; }

 private:
  // No resources: only what a failed open holds.
  friend struct status::Result<ResourceLibrary>;
  ResourceLibrary() = default;
  using SectionBytes = std::shared_ptr<const std::vector<std::uint8_t>>;

  ResourceLibrary(SectionBytes section, ResourceTableView table, std::filesystem::path path)
      : section_(std::move(section)), table_(std::move(table)), path_(std::move(path)) {}

  SectionBytes section_;  // what table_'s entries point into
  ResourceTableView table_;
  std::filesystem::path path_;
};

}  // namespace platform::resources
