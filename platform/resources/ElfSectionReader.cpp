#include <platform/resources/ElfSectionReader.h>

#include <array>
#include <string>

namespace platform::resources {

using status::Result;
using status::Status;
namespace {

using Bytes = std::vector<std::uint8_t>;
using SectionResult = Result<Bytes>;

constexpr std::uint8_t kClass32 = 1, kClass64 = 2;
constexpr std::uint8_t kLittleEndian = 1, kBigEndian = 2;
constexpr std::uint32_t kNoBits = 8;              // SHT_NOBITS: occupies no file bytes
constexpr std::uint16_t kExtendedIndex = 0xFFFF;  // SHN_XINDEX

// Where the fields this reader needs sit in one ELF class's headers.
struct ClassLayout {
  std::size_t fileHeaderSize, sectionOffsetField, sectionEntrySizeField, sectionCountField, nameIndexField;
  std::size_t sectionHeaderSize, nameField, typeField, offsetField, sizeField, linkField, wordSize;
};
constexpr ClassLayout kElf32{0x34, 0x20, 0x2E, 0x30, 0x32, 40, 0, 4, 16, 20, 24, 4};
constexpr ClassLayout kElf64{0x40, 0x28, 0x3A, 0x3C, 0x3E, 64, 0, 4, 24, 32, 40, 8};

struct SectionHeader {
  std::uint32_t name, type, link;
  std::uint64_t offset, size;
};

class ElfFile {
 public:
  ElfFile(const ByteSource& file, const ClassLayout& layout, bool bigEndian)
      : file_(file), layout_(layout), bigEndian_(bigEndian) {}

  std::uint64_t field(std::span<const std::uint8_t> bytes, std::size_t at, std::size_t width) const {
    std::uint64_t value = 0;
    for (std::size_t i = 0; i < width; ++i) {
      const std::size_t index = bigEndian_ ? at + i : at + width - 1 - i;
      value = value << 8 | bytes[index];
    }
    return value;
  }

  SectionHeader header(std::span<const std::uint8_t> table, std::uint64_t index, std::size_t entrySize) const {
    const auto entry = table.subspan(static_cast<std::size_t>(index) * entrySize, entrySize);
    const std::size_t word = layout_.wordSize;
    return {static_cast<std::uint32_t>(field(entry, layout_.nameField, 4)),
            static_cast<std::uint32_t>(field(entry, layout_.typeField, 4)),
            static_cast<std::uint32_t>(field(entry, layout_.linkField, 4)), field(entry, layout_.offsetField, word),
            field(entry, layout_.sizeField, word)};
  }

  // The bytes a section occupies in the file, if they are all there.
  SectionResult contents(const SectionHeader& section, std::uint64_t limit, const std::string& what) const {
    if (section.type == kNoBits) return {Status::failure(what + " occupies no bytes in the file")};
    if (section.size > limit) return {Status::failure(what + " is too large")};
    if (section.size > file_.size()) return {Status::failure(what + " lies beyond the end of the file")};
    Bytes bytes(static_cast<std::size_t>(section.size));
    if (!file_.read(section.offset, bytes)) return {Status::failure(what + " lies beyond the end of the file")};
    return {Status::success(), std::move(bytes)};
  }

  SectionResult find(std::string_view name) const;

 private:
  const ByteSource& file_;
  const ClassLayout& layout_;
  bool bigEndian_;
};

// The NUL-terminated name at `offset` of the name table equals `name`.
bool namedAs(const Bytes& names, std::uint32_t offset, std::string_view name) {
  if (offset > names.size() || name.size() >= names.size() - offset) return false;
  return std::equal(name.begin(), name.end(), names.begin() + offset) && names[offset + name.size()] == 0;
}

SectionResult ElfFile::find(std::string_view name) const {
  Bytes fileHeader(layout_.fileHeaderSize);
  if (!file_.read(0, fileHeader)) return {Status::failure("the ELF header is cut short")};
  const std::uint64_t tableOffset = field(fileHeader, layout_.sectionOffsetField, layout_.wordSize);
  const std::size_t entrySize = field(fileHeader, layout_.sectionEntrySizeField, 2);
  std::uint64_t count = field(fileHeader, layout_.sectionCountField, 2);
  std::uint64_t namesIndex = field(fileHeader, layout_.nameIndexField, 2);
  if (tableOffset == 0) return {Status::failure("the file has no section headers")};
  if (entrySize < layout_.sectionHeaderSize) return {Status::failure("the section headers are too small")};

  // Counts too large for the file header live in the first section header.
  Bytes first(entrySize);
  if (!file_.read(tableOffset, first)) return {Status::failure("the section headers lie beyond the end of the file")};
  const SectionHeader zero = header(first, 0, entrySize);
  if (count == 0) count = zero.size;
  if (namesIndex == kExtendedIndex) namesIndex = zero.link;
  if (count == 0 || count > kMostSections) return {Status::failure("the file has an implausible number of sections")};
  if (namesIndex >= count) return {Status::failure("the section-name table is not among the sections")};

  if (count * entrySize > file_.size()) return {Status::failure("the section headers lie beyond the end of the file")};
  Bytes table(static_cast<std::size_t>(count) * entrySize);
  if (!file_.read(tableOffset, table)) return {Status::failure("the section headers lie beyond the end of the file")};
  const auto names = contents(header(table, namesIndex, entrySize), kLargestNameTable, "the section-name table");
  if (!names.status) return names;
  for (std::uint64_t i = 0; i < count; ++i) {
    const SectionHeader section = header(table, i, entrySize);
    if (namedAs(names.value, section.name, name))
      return contents(section, kLargestSection, "section " + std::string(name));
  }
  return {Status::failure("the file has no section " + std::string(name))};
}

}  // namespace

SectionResult readElfSection(const ByteSource& file, std::string_view name) {
  std::array<std::uint8_t, 16> ident{};
  if (!file.read(0, ident) || ident[0] != 0x7F || ident[1] != 'E' || ident[2] != 'L' || ident[3] != 'F')
    return {Status::failure("not an ELF file")};
  const std::uint8_t elfClass = ident[4], byteOrder = ident[5];
  if (elfClass != kClass32 && elfClass != kClass64) return {Status::failure("an ELF file of unknown class")};
  if (byteOrder != kLittleEndian && byteOrder != kBigEndian)
    return {Status::failure("an ELF file of unknown byte order")};
  const ElfFile elf(file, elfClass == kClass64 ? kElf64 : kElf32, byteOrder == kBigEndian);
  return elf.find(name);
}

}  // namespace platform::resources
