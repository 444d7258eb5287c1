#pragma once
// What the version block writer and reader agree on: block keys, header size,
// value kinds and the 32-bit alignment.
#include <cstddef>
#include <cstdint>
#include <string_view>

namespace platform::resources::version_layout {

constexpr std::u16string_view kRootKey = u"VS_VERSION_INFO";
constexpr std::u16string_view kStringFileInfoKey = u"StringFileInfo";
constexpr std::u16string_view kVarFileInfoKey = u"VarFileInfo";
constexpr std::u16string_view kTranslationKey = u"Translation";

constexpr std::size_t kHeaderSize = 6;          // wLength, wValueLength, wType
constexpr std::size_t kFixedFileInfoSize = 52;  // thirteen 32-bit fields
constexpr std::uint16_t kBinaryValue = 0;       // wValueLength counts bytes
constexpr std::uint16_t kTextValue = 1;         // wValueLength counts UTF-16 units

constexpr std::size_t alignTo32Bits(std::size_t offset) { return (offset + 3) & ~std::size_t{3}; }

}  // namespace platform::resources::version_layout
