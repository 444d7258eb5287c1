#include "ResourceTableView.h"

#include <algorithm>

namespace resources {

Result<ResourceTableView> ResourceTableView::of(const Table* table) {
  if (table == nullptr) return Result<ResourceTableView>::failure("the resource table is missing");
  if (table->layout != kTableLayout)
    return Result<ResourceTableView>::failure("the resource table has an unknown layout");
  if (table->count > 0 && table->entries == nullptr)
    return Result<ResourceTableView>::failure("the resource table has no entries array");
  const TableEntry* end = table->entries + table->count;
  if (std::any_of(table->entries, end, [](const TableEntry& e) { return e.size > 0 && e.data == nullptr; }))
    return Result<ResourceTableView>::failure("a resource table entry has no data");
  return Result<ResourceTableView>::success(ResourceTableView(table));
}

std::optional<ResourceBytes> ResourceTableView::find(const ResourceId& type, const ResourceId& name) const {
  for (const TableEntry& entry : entries())
    if (type.matches(entry.type) && name.matches(entry.name)) return ResourceBytes(entry.data, entry.size);
  return std::nullopt;
}

}  // namespace resources
