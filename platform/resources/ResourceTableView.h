#pragma once
// Lookup in a resource table read from its section bytes: the library's own
// (through thisLibrarysResources) or one read from a library file.
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include <platform/status/Status.h>

#include <platform/resources/ResourceId.h>
#include <platform/resources/ResourceTable.h>

namespace platform::resources {

using ResourceBytes = std::span<const std::uint8_t>;

struct ResourceEntry {
  ResourceId type;
  ResourceId name;
  ResourceBytes data;  // inside the section bytes the table was read from
};

class ResourceTableView {
 public:
  // Checks the layout mark and every length against the bytes at hand; a table
  // that fails anywhere is refused rather than read in part. The view refers to
  // `section`, which must outlive it.
  static status::Result<ResourceTableView> parse(ResourceBytes section);

  std::optional<ResourceBytes> find(const ResourceId& type, const ResourceId& name) const;
  const std::vector<ResourceEntry>& entries() const { return entries_; }

 private:
  // No entries: only what a table that failed to parse holds.
  friend struct status::Result<ResourceTableView>;
  friend class ResourceLibrary;
  ResourceTableView() = default;
  explicit ResourceTableView(std::vector<ResourceEntry> entries) : entries_(std::move(entries)) {}

  std::vector<ResourceEntry> entries_;
};

}  // namespace platform::resources
