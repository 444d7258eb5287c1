#pragma once
// The resource table a library carries: entries of (type, name) -> bytes, where
// type and name are each a number or a text, as in the classic resource section.
// A library hands its table out through one C-linkage function, so a reader finds
// it with dlsym whatever built either side. Plain standard-layout structs only:
// generated sources define tables of them as constant data.
#include <cstddef>
#include <cstdint>

namespace resources {

// A type or a name: the text when `text` is not null, otherwise the number.
struct TableKey {
  const char* text;
  std::uint16_t number;
};

struct TableEntry {
  TableKey type;
  TableKey name;
  const unsigned char* data;
  std::size_t size;
};

struct Table {
  std::uint32_t layout;  // kTableLayout; a reader refuses any other value
  std::uint32_t count;
  const TableEntry* entries;
};

// Bumped whenever Table or its parts change shape.
constexpr std::uint32_t kTableLayout = 0x31534552;  // "RES1" in memory order

// The one export besides the in-process server's entry points.
constexpr const char* kTableSymbol = "DllGetResourceTable";
using TableGetter = const Table* (*)();

// Classic numbered resource types.
constexpr std::uint16_t RT_BITMAP = 2;
constexpr std::uint16_t RT_ICON = 3;
constexpr std::uint16_t RT_GROUP_ICON = 14;
constexpr std::uint16_t RT_VERSION = 16;

}  // namespace resources
