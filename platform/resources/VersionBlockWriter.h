#pragma once
// Lays a VersionInfo out as the classic VS_VERSIONINFO bytes: every block a
// header of wLength, wValueLength and wType, a UTF-16 key, padding to 32 bits,
// its value, then its children each starting on a 32-bit boundary.
#include <cstdint>
#include <vector>

#include <platform/resources/VersionInfo.h>

namespace platform::resources {

// Throws std::length_error when a block would exceed the 16-bit wLength.
std::vector<std::uint8_t> buildVersionBlock(const VersionInfo& info);

}  // namespace platform::resources
