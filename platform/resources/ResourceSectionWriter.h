#pragma once
// Lays a resource table out as the bytes of its library section (the layout is
// described in ResourceTable.h); the build's resource embedder uses it.
#include <cstdint>
#include <vector>

#include <platform/resources/ResourceId.h>

namespace platform::resources {

struct DeclaredResource {
  ResourceId type;
  ResourceId name;
  std::vector<std::uint8_t> bytes;
};

// Throws std::length_error for a text key longer than 65535 bytes or data
// larger than 4 GiB, which the layout cannot hold.
std::vector<std::uint8_t> writeResourceSection(const std::vector<DeclaredResource>& resources);

}  // namespace platform::resources
