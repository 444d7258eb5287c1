#pragma once
// Reads a VS_VERSIONINFO block back. Every length and offset is checked
// against the bytes at hand, so any input gives either the content or an error.
#include <cstdint>
#include <span>

#include <platform/status/Status.h>

#include <platform/resources/VersionInfo.h>

namespace platform::resources {

// Blocks other than StringFileInfo and VarFileInfo, and bytes after the root
// block's wLength, are ignored, as the classic readers do.
status::Result<VersionInfo> parseVersionBlock(std::span<const std::uint8_t> bytes);

}  // namespace platform::resources
