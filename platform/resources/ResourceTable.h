#pragma once
// The resource table a library carries: entries of (type, name) -> bytes, where
// type and name are each a number or a text, as in the classic resource section.
// The table lives in a section of its own in the library file, so a reader finds
// it by reading the file, as classic resource readers do, without loading the
// library or running any of its code; the library exports nothing for it.
//
// Layout of the section, all numbers little-endian:
//   u32 kTableLayout, u32 entry count, then per entry:
//   key type, key name, u32 data size, the data bytes;
//   a key is a u16 text length, then that many text bytes, or, when the length
//   is 0, a u16 number.
#include <cstdint>

namespace platform::resources {

// The ELF section that holds the table.
constexpr const char* kSectionName = ".mvres";

// Bumped whenever the layout changes; a reader refuses any other value.
constexpr std::uint32_t kTableLayout = 0x32534552;  // "RES2" in file order

// Classic numbered resource types.
constexpr std::uint16_t RT_BITMAP = 2;
constexpr std::uint16_t RT_ICON = 3;
constexpr std::uint16_t RT_GROUP_ICON = 14;
constexpr std::uint16_t RT_VERSION = 16;

}  // namespace platform::resources
