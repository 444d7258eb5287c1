#pragma once
// Lookup in a resource table, the caller's own (through DllGetResourceTable)
// or one exported by a library it loaded.
#include <cstdint>
#include <optional>
#include <span>

#include "ResourceId.h"
#include "ResourceTable.h"
#include "Result.h"

namespace resources {

using ResourceBytes = std::span<const std::uint8_t>;

class ResourceTableView {
 public:
  // Checks the layout mark and the pointers; a table that fails is refused
  // rather than read.
  static Result<ResourceTableView> of(const Table* table);

  // The bytes live as long as the table does (for a library: while it is loaded).
  std::optional<ResourceBytes> find(const ResourceId& type, const ResourceId& name) const;
  std::span<const TableEntry> entries() const { return {table_->entries, table_->count}; }

 private:
  explicit ResourceTableView(const Table* table) : table_(table) {}

  const Table* table_;
};

}  // namespace resources
