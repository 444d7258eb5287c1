#pragma once
#include <compare>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace platform::automation {

// A 128-bit identity in the classic layout; its registry text form is
// "{XXXXXXXX-XXXX-XXXX-XXXX-XXXXXXXXXXXX}" in upper case.
struct GUID {
  std::uint32_t Data1 = 0;
  std::uint16_t Data2 = 0;
  std::uint16_t Data3 = 0;
  std::uint8_t Data4[8] = {};

  friend constexpr bool operator==(const GUID&, const GUID&) = default;
  friend constexpr auto operator<=>(const GUID&, const GUID&) = default;
};
using IID = GUID;
using CLSID = GUID;

std::string toRegistryText(const GUID& guid);
// Accepts the registry text form, braces required, hex digits in either case.
std::optional<GUID> guidFromRegistryText(std::string_view text);

// The 16 bytes as they are stored in a file: Data1..Data3 little-endian, then Data4.
void guidToBytes(const GUID& guid, std::uint8_t out[16]);
GUID guidFromBytes(const std::uint8_t in[16]);

constexpr GUID GUID_NULL{};

}  // namespace platform::automation
