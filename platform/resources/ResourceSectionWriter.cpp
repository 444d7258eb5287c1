#include <platform/resources/ResourceSectionWriter.h>

#include <limits>
#include <stdexcept>

#include <platform/resources/ResourceTable.h>

namespace platform::resources {
namespace {

void put16(std::vector<std::uint8_t>& out, std::uint16_t value) {
  out.push_back(static_cast<std::uint8_t>(value));
  out.push_back(static_cast<std::uint8_t>(value >> 8));
}

void put32(std::vector<std::uint8_t>& out, std::uint64_t value) {
  if (value > std::numeric_limits<std::uint32_t>::max()) throw std::length_error("a resource is larger than 4 GiB");
  for (int shift = 0; shift < 32; shift += 8) out.push_back(static_cast<std::uint8_t>(value >> shift));
}

void putKey(std::vector<std::uint8_t>& out, const ResourceId& key) {
  if (key.isNumber()) {
    put16(out, 0);
    put16(out, key.number());
    return;
  }
  if (key.text().empty() || key.text().size() > std::numeric_limits<std::uint16_t>::max())
    throw std::length_error("a resource name must be 1 to 65535 bytes long");
  put16(out, static_cast<std::uint16_t>(key.text().size()));
  out.insert(out.end(), key.text().begin(), key.text().end());
}

}  // namespace

std::vector<std::uint8_t> writeResourceSection(const std::vector<DeclaredResource>& resources) {
  std::vector<std::uint8_t> out;
  put32(out, kTableLayout);
  put32(out, resources.size());
  for (const DeclaredResource& resource : resources) {
    putKey(out, resource.type);
    putKey(out, resource.name);
    put32(out, resource.bytes.size());
    out.insert(out.end(), resource.bytes.begin(), resource.bytes.end());
  }
  return out;
}

}  // namespace platform::resources
