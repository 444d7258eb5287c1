#include <platform/resources/ResourceTableView.h>

#include <string>

namespace platform::resources {

using status::Result;
using status::Status;
namespace {

// Reads the section front to back; every read checks what is left first.
class SectionCursor {
 public:
  explicit SectionCursor(ResourceBytes bytes) : bytes_(bytes) {}

  std::size_t left() const { return bytes_.size() - at_; }
  std::optional<ResourceBytes> take(std::size_t size) {
    if (size > left()) return std::nullopt;
    const ResourceBytes taken = bytes_.subspan(at_, size);
    at_ += size;
    return taken;
  }
  std::optional<std::uint32_t> u32() {
    const auto b = take(4);
    if (!b) return std::nullopt;
    return (*b)[0] | (*b)[1] << 8 | (*b)[2] << 16 | std::uint32_t((*b)[3]) << 24;
  }
  std::optional<std::uint16_t> u16() {
    const auto b = take(2);
    if (!b) return std::nullopt;
    return static_cast<std::uint16_t>((*b)[0] | (*b)[1] << 8);
  }
  std::optional<ResourceId> key() {
    const auto length = u16();
    if (!length) return std::nullopt;
    if (*length == 0) {
      const auto number = u16();
      if (!number) return std::nullopt;
      return ResourceId(*number);
    }
    const auto text = take(*length);
    if (!text) return std::nullopt;
    return ResourceId(std::string(text->begin(), text->end()));
  }

 private:
  ResourceBytes bytes_;
  std::size_t at_ = 0;
};

// The smallest entry: two numbered keys and an empty data block.
constexpr std::size_t kSmallestEntry = 4 + 4 + 4;

}  // namespace

Result<ResourceTableView> ResourceTableView::parse(ResourceBytes section) {
  SectionCursor cursor(section);
  const auto layout = cursor.u32();
  if (!layout || *layout != kTableLayout) return {Status::failure("the resource table has an unknown layout")};
  const auto count = cursor.u32();
  if (!count || *count > cursor.left() / kSmallestEntry)
    return {Status::failure("the resource table counts more entries than it holds")};
  std::vector<ResourceEntry> entries;
  entries.reserve(*count);
  for (std::uint32_t i = 0; i < *count; ++i) {
    auto type = cursor.key();
    auto name = type ? cursor.key() : std::nullopt;
    const auto size = name ? cursor.u32() : std::nullopt;
    const auto data = size ? cursor.take(*size) : std::nullopt;
    if (!data) return {Status::failure("resource table entry " + std::to_string(i + 1) + " runs past the table's end")};
    entries.push_back({std::move(*type), std::move(*name), *data});
  }
  return {Status::success(), ResourceTableView(std::move(entries))};
}

std::optional<ResourceBytes> ResourceTableView::find(const ResourceId& type, const ResourceId& name) const {
  for (const ResourceEntry& entry : entries_)
    if (type.matches(entry.type) && name.matches(entry.name)) return entry.data;
  return std::nullopt;
}

}  // namespace platform::resources
