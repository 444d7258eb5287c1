#pragma once
// The content of a classic version block (VS_VERSIONINFO): the fixed part,
// the string tables and the translations.
#include <array>
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

namespace platform::resources {

constexpr std::uint32_t VS_FFI_SIGNATURE = 0xFEEF04BD;
constexpr std::uint32_t VS_FFI_STRUCVERSION = 0x00010000;
constexpr std::uint32_t VS_FFI_FILEFLAGSMASK = 0x0000003F;
constexpr std::uint32_t VOS__WINDOWS32 = 0x00000004;
constexpr std::uint32_t VFT_APP = 1;
constexpr std::uint32_t VFT_DLL = 2;

// major, minor, build, revision
using FourPartVersion = std::array<std::uint16_t, 4>;

struct FixedFileInfo {
  FourPartVersion fileVersion{};
  FourPartVersion productVersion{};
  std::uint32_t fileFlagsMask = VS_FFI_FILEFLAGSMASK;
  std::uint32_t fileFlags = 0;
  std::uint32_t fileOS = 0;
  std::uint32_t fileType = 0;
  std::uint32_t fileSubtype = 0;
  std::uint64_t fileDate = 0;

  friend bool operator==(const FixedFileInfo&, const FixedFileInfo&) = default;
};

struct StringTable {
  std::u16string key;  // language and code page as eight hex digits, e.g. u"040904B0"
  std::vector<std::pair<std::u16string, std::u16string>> strings;  // in block order

  friend bool operator==(const StringTable&, const StringTable&) = default;
};

struct Translation {
  std::uint16_t language = 0;
  std::uint16_t codePage = 0;

  friend bool operator==(const Translation&, const Translation&) = default;
};

struct VersionInfo {
  FixedFileInfo fixed;
  std::vector<StringTable> stringTables;
  std::vector<Translation> translations;

  friend bool operator==(const VersionInfo&, const VersionInfo&) = default;
};

}  // namespace platform::resources
