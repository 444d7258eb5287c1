#include <platform/resources/VersionBlockWriter.h>

#include <stdexcept>
#include <string_view>

#include <platform/resources/VersionBlockLayout.h>

namespace platform::resources {
namespace {
using namespace version_layout;

class BlockWriter {
 public:
  void put16(std::uint16_t v) {
    bytes_.push_back(static_cast<std::uint8_t>(v));
    bytes_.push_back(static_cast<std::uint8_t>(v >> 8));
  }
  void put32(std::uint32_t v) {
    put16(static_cast<std::uint16_t>(v));
    put16(static_cast<std::uint16_t>(v >> 16));
  }
  void putText(std::u16string_view text) {
    for (char16_t c : text) put16(c);
    put16(0);
  }
  void pad() { bytes_.resize(alignTo32Bits(bytes_.size()), 0); }

  // Starts a block on a 32-bit boundary and writes its header and key; the
  // value and children follow, then endBlock fills in wLength.
  std::size_t beginBlock(std::u16string_view key, std::uint16_t valueLength, std::uint16_t type) {
    pad();
    const std::size_t start = bytes_.size();
    put16(0);
    put16(valueLength);
    put16(type);
    putText(key);
    return start;
  }
  void endBlock(std::size_t start) {
    const std::size_t length = bytes_.size() - start;
    if (length > 0xFFFF) throw std::length_error("version block longer than 65535 bytes");
    bytes_[start] = static_cast<std::uint8_t>(length);
    bytes_[start + 1] = static_cast<std::uint8_t>(length >> 8);
  }

  std::vector<std::uint8_t> take() { return std::move(bytes_); }

 private:
  std::vector<std::uint8_t> bytes_;
};

std::uint32_t high(const FourPartVersion& v) { return std::uint32_t{v[0]} << 16 | v[1]; }
std::uint32_t low(const FourPartVersion& v) { return std::uint32_t{v[2]} << 16 | v[3]; }

void writeFixed(BlockWriter& out, const FixedFileInfo& fixed) {
  out.pad();
  out.put32(VS_FFI_SIGNATURE);
  out.put32(VS_FFI_STRUCVERSION);
  out.put32(high(fixed.fileVersion));
  out.put32(low(fixed.fileVersion));
  out.put32(high(fixed.productVersion));
  out.put32(low(fixed.productVersion));
  out.put32(fixed.fileFlagsMask);
  out.put32(fixed.fileFlags);
  out.put32(fixed.fileOS);
  out.put32(fixed.fileType);
  out.put32(fixed.fileSubtype);
  out.put32(static_cast<std::uint32_t>(fixed.fileDate >> 32));
  out.put32(static_cast<std::uint32_t>(fixed.fileDate));
}

std::uint16_t textValueLength(std::u16string_view value) {
  if (value.size() >= 0xFFFF) throw std::length_error("version string longer than 65534 characters");
  return static_cast<std::uint16_t>(value.size() + 1);  // the terminating NUL counts
}

void writeString(BlockWriter& out, std::u16string_view key, std::u16string_view value) {
  const std::size_t block = out.beginBlock(key, textValueLength(value), kTextValue);
  out.pad();
  out.putText(value);
  out.endBlock(block);
}

void writeStringFileInfo(BlockWriter& out, const std::vector<StringTable>& tables) {
  const std::size_t block = out.beginBlock(kStringFileInfoKey, 0, kTextValue);
  for (const StringTable& table : tables) {
    const std::size_t tableBlock = out.beginBlock(table.key, 0, kTextValue);
    for (const auto& [key, value] : table.strings) writeString(out, key, value);
    out.endBlock(tableBlock);
  }
  out.endBlock(block);
}

void writeVarFileInfo(BlockWriter& out, const std::vector<Translation>& translations) {
  const std::size_t block = out.beginBlock(kVarFileInfoKey, 0, kTextValue);
  const std::size_t valueBytes = translations.size() * 4;
  if (valueBytes > 0xFFFF) throw std::length_error("too many translations in a version block");
  const std::size_t var = out.beginBlock(kTranslationKey, static_cast<std::uint16_t>(valueBytes), kBinaryValue);
  out.pad();
  for (const Translation& t : translations) {
    out.put16(t.language);
    out.put16(t.codePage);
  }
  out.endBlock(var);
  out.endBlock(block);
}

}  // namespace

std::vector<std::uint8_t> buildVersionBlock(const VersionInfo& info) {
  BlockWriter out;
  const std::size_t root = out.beginBlock(kRootKey, kFixedFileInfoSize, kBinaryValue);
  writeFixed(out, info.fixed);
  if (!info.stringTables.empty()) writeStringFileInfo(out, info.stringTables);
  if (!info.translations.empty()) writeVarFileInfo(out, info.translations);
  out.endBlock(root);
  return out.take();
}

}  // namespace platform::resources
