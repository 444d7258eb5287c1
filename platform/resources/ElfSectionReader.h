#pragma once
// Finds a named section in an ELF file (32 or 64 bit, either byte order) through
// its section headers, and reads its bytes. The file may be anything: every
// offset, size and count is checked against the bytes at hand and against fixed
// limits, so any input gives either the section or a message.
#include <cstdint>
#include <string_view>
#include <vector>

#include <platform/status/Status.h>

#include <platform/resources/ByteSource.h>

namespace platform::resources {

// Larger sections, section-name tables and header tables are refused, so a
// hostile file cannot make the reader allocate without bound.
constexpr std::uint64_t kLargestSection = 64u << 20;
constexpr std::uint64_t kLargestNameTable = 1u << 20;
constexpr std::uint64_t kMostSections = 1u << 16;

status::Result<std::vector<std::uint8_t>> readElfSection(const ByteSource& file, std::string_view name);

}  // namespace platform::resources
