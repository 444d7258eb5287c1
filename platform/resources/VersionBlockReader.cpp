#include <platform/resources/VersionBlockReader.h>

#include <algorithm>
#include <functional>
#include <string>

#include <platform/resources/VersionBlockLayout.h>

namespace platform::resources {

using status::Result;
using status::Status;
namespace {
using namespace version_layout;
using Bytes = std::span<const std::uint8_t>;

std::uint16_t read16(Bytes bytes, std::size_t at) { return static_cast<std::uint16_t>(bytes[at] | bytes[at + 1] << 8); }
std::uint32_t read32(Bytes bytes, std::size_t at) {
  return std::uint32_t{read16(bytes, at)} | std::uint32_t{read16(bytes, at + 2)} << 16;
}

// One block, located inside the whole input so that alignment is measured
// from the start of the version block.
struct Block {
  std::size_t offset = 0;
  std::uint16_t valueLength = 0;
  std::uint16_t type = 0;
  std::u16string key;
  Bytes value;
  std::size_t childrenBegin = 0;
  std::size_t end = 0;
};

std::string at(std::size_t offset) { return "version block at byte " + std::to_string(offset) + ": "; }

// Reads the block starting at `offset`, which must end by `limit`.
Result<Block> readBlock(Bytes bytes, std::size_t offset, std::size_t limit) {
  if (limit < offset || limit - offset < kHeaderSize)
    return {Status::failure(at(offset) + "too short for a block header")};
  Block block;
  block.offset = offset;
  const std::size_t length = read16(bytes, offset);
  block.valueLength = read16(bytes, offset + 2);
  block.type = read16(bytes, offset + 4);
  if (length < kHeaderSize)
    return {Status::failure(at(offset) + "length " + std::to_string(length) + " is shorter than its header")};
  if (length > limit - offset)
    return {Status::failure(at(offset) + "length " + std::to_string(length) + " runs past its container")};
  block.end = offset + length;
  if (block.type != kBinaryValue && block.type != kTextValue)
    return {Status::failure(at(offset) + "unknown value type " + std::to_string(block.type))};

  std::size_t cursor = offset + kHeaderSize;
  for (;;) {
    if (block.end - cursor < 2) return {Status::failure(at(offset) + "key has no terminating NUL")};
    const char16_t unit = read16(bytes, cursor);
    cursor += 2;
    if (unit == 0) break;
    block.key.push_back(unit);
  }

  const std::size_t valueBytes = block.type == kTextValue ? std::size_t{block.valueLength} * 2 : block.valueLength;
  std::size_t valueBegin = std::min(alignTo32Bits(cursor), block.end);
  if (valueBytes > block.end - valueBegin)
    return {Status::failure(at(offset) + "value of " + std::to_string(valueBytes) + " bytes runs past the block")};
  block.value = bytes.subspan(valueBegin, valueBytes);
  block.childrenBegin = alignTo32Bits(valueBegin + valueBytes);
  return {Status::success(), std::move(block)};
}

// Calls `visit` for each child of `parent`; stops at the first error.
std::string forEachChild(Bytes bytes, const Block& parent, const std::function<std::string(const Block&)>& visit) {
  std::size_t offset = parent.childrenBegin;
  // Fewer bytes than a header after the last child are its trailing padding.
  while (offset < parent.end && parent.end - offset >= kHeaderSize) {
    auto child = readBlock(bytes, offset, parent.end);
    if (!child.status) return child.status.reason();
    if (std::string error = visit(child.value); !error.empty()) return error;
    offset = alignTo32Bits(child.value.end);
  }
  return {};
}

std::u16string textValue(Bytes value) {
  std::u16string text;
  for (std::size_t i = 0; i + 1 < value.size(); i += 2) {
    const char16_t unit = read16(value, i);
    if (unit == 0) break;
    text.push_back(unit);
  }
  return text;
}

std::string readStringTable(Bytes bytes, const Block& tableBlock, VersionInfo& info) {
  StringTable table{tableBlock.key, {}};
  std::string error = forEachChild(bytes, tableBlock, [&](const Block& string) -> std::string {
    if (string.type != kTextValue)
      return at(string.offset) + "string \"" + std::string(string.key.begin(), string.key.end()) + "\" is not text";
    table.strings.emplace_back(string.key, textValue(string.value));
    return {};
  });
  info.stringTables.push_back(std::move(table));
  return error;
}

std::string readTranslations(const Block& var, VersionInfo& info) {
  if (var.value.size() % 4 != 0)
    return at(var.offset) + "translation list of " + std::to_string(var.value.size()) + " bytes is not whole pairs";
  for (std::size_t i = 0; i < var.value.size(); i += 4)
    info.translations.push_back({read16(var.value, i), read16(var.value, i + 2)});
  return {};
}

std::string readSection(Bytes bytes, const Block& section, VersionInfo& info) {
  if (section.key == kStringFileInfoKey)
    return forEachChild(bytes, section, [&](const Block& table) { return readStringTable(bytes, table, info); });
  if (section.key == kVarFileInfoKey)
    return forEachChild(bytes, section, [&](const Block& var) {
      return var.key == kTranslationKey ? readTranslations(var, info) : std::string();
    });
  return {};
}

FixedFileInfo readFixed(Bytes value) {
  FixedFileInfo fixed;
  auto version = [&](std::size_t at) {
    const std::uint32_t hi = read32(value, at), lo = read32(value, at + 4);
    return FourPartVersion{static_cast<std::uint16_t>(hi >> 16), static_cast<std::uint16_t>(hi),
                           static_cast<std::uint16_t>(lo >> 16), static_cast<std::uint16_t>(lo)};
  };
  fixed.fileVersion = version(8);
  fixed.productVersion = version(16);
  fixed.fileFlagsMask = read32(value, 24);
  fixed.fileFlags = read32(value, 28);
  fixed.fileOS = read32(value, 32);
  fixed.fileType = read32(value, 36);
  fixed.fileSubtype = read32(value, 40);
  fixed.fileDate = std::uint64_t{read32(value, 44)} << 32 | read32(value, 48);
  return fixed;
}

std::string checkRoot(const Block& root) {
  if (root.key != kRootKey) return at(0) + "root key is not VS_VERSION_INFO";
  if (root.type != kBinaryValue || root.value.size() != kFixedFileInfoSize)
    return at(0) + "fixed part is " + std::to_string(root.value.size()) + " bytes, not " +
           std::to_string(kFixedFileInfoSize);
  if (read32(root.value, 0) != VS_FFI_SIGNATURE) return at(0) + "fixed part lacks the signature 0xFEEF04BD";
  if (read32(root.value, 4) != VS_FFI_STRUCVERSION) return at(0) + "fixed part has an unknown structure version";
  return {};
}

}  // namespace

Result<VersionInfo> parseVersionBlock(Bytes bytes) {
  auto root = readBlock(bytes, 0, bytes.size());
  if (!root.status) return {root.status};
  if (std::string error = checkRoot(root.value); !error.empty()) return {Status::failure(error)};
  VersionInfo info;
  info.fixed = readFixed(root.value.value);
  std::string error =
      forEachChild(bytes, root.value, [&](const Block& section) { return readSection(bytes, section, info); });
  if (!error.empty()) return {Status::failure(error)};
  return {Status::success(), std::move(info)};
}

}  // namespace platform::resources
