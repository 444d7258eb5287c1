#pragma once
// The compact binary form a component library carries as its TYPELIB resource.
// Layout (little-endian): magic "MVTL", format version, then the library, its
// types, their functions and implemented types, each list prefixed by its count
// and each string by its number of UTF-16 units. Parameter names are written only
// when the library publishes them.
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include <platform/typelib/TypeLibModel.h>

namespace platform::typelib {

constexpr std::uint8_t kFormatMagic[4] = {'M', 'V', 'T', 'L'};
constexpr std::uint16_t kFormatVersion = 1;

std::vector<std::uint8_t> serialize(const Library& library);

struct ParseResult {
  std::optional<Library> library;
  std::string error;  // empty when `library` holds a value
};

// Accepts any bytes: anything but a complete, sound description of this format
// version gives an error text, never a crash, and allocates no more than the input
// can account for.
ParseResult parse(std::span<const std::uint8_t> bytes);

}  // namespace platform::typelib
