#pragma once
// A minimal ELF file built byte for byte: a file header, a section-name table,
// one section of given bytes, and the section headers, in either class and byte
// order. The resource reader's tests and fuzz seeds use it for the layouts our
// own build never makes.
#include <cstdint>
#include <string>
#include <vector>

namespace tests::resources {

struct ElfImageLayout {
  bool is64 = true;
  bool bigEndian = false;
};

class ElfImage {
 public:
  static std::vector<std::uint8_t> make(ElfImageLayout layout, const std::string& sectionName,
                                        const std::vector<std::uint8_t>& section) {
    return ElfImage(layout).build(sectionName, section);
  }

 private:
  explicit ElfImage(ElfImageLayout layout) : layout_(layout) {}

  void put(std::size_t at, std::uint64_t value, std::size_t width) {
    for (std::size_t i = 0; i < width; ++i) {
      const std::size_t shift = 8 * (layout_.bigEndian ? width - 1 - i : i);
      bytes_.at(at + i) = static_cast<std::uint8_t>(value >> shift);
    }
  }
  std::size_t word() const { return layout_.is64 ? 8 : 4; }

  void sectionHeader(std::size_t at, std::uint32_t name, std::uint32_t type, std::uint64_t offset, std::uint64_t size) {
    put(at, name, 4);
    put(at + 4, type, 4);
    put(at + (layout_.is64 ? 24 : 16), offset, word());
    put(at + (layout_.is64 ? 32 : 20), size, word());
  }

  std::vector<std::uint8_t> build(const std::string& sectionName, const std::vector<std::uint8_t>& section) {
    const std::size_t headerSize = layout_.is64 ? 64 : 52, entrySize = layout_.is64 ? 64 : 40;
    const std::string names = std::string(1, '\0') + ".shstrtab" + '\0' + sectionName + '\0';
    const std::size_t namesAt = headerSize, sectionAt = namesAt + names.size();
    const std::size_t tableAt = (sectionAt + section.size() + 7) / 8 * 8;
    bytes_.assign(tableAt + 3 * entrySize, 0);
    const std::uint8_t ident[] = {
        0x7F, 'E', 'L', 'F', std::uint8_t(layout_.is64 ? 2 : 1), std::uint8_t(layout_.bigEndian ? 2 : 1), 1};
    std::copy(std::begin(ident), std::end(ident), bytes_.begin());
    put(16, 3, 2);  // ET_DYN
    put(layout_.is64 ? 0x28 : 0x20, tableAt, word());
    put(layout_.is64 ? 0x34 : 0x28, headerSize, 2);
    put(layout_.is64 ? 0x3A : 0x2E, entrySize, 2);
    put(layout_.is64 ? 0x3C : 0x30, 3, 2);
    put(layout_.is64 ? 0x3E : 0x32, 1, 2);
    std::copy(names.begin(), names.end(), bytes_.begin() + static_cast<std::ptrdiff_t>(namesAt));
    std::copy(section.begin(), section.end(), bytes_.begin() + static_cast<std::ptrdiff_t>(sectionAt));
    sectionHeader(tableAt + entrySize, 1, 3, namesAt, names.size());           // SHT_STRTAB
    sectionHeader(tableAt + 2 * entrySize, 11, 1, sectionAt, section.size());  // SHT_PROGBITS
    return bytes_;
  }

  ElfImageLayout layout_;
  std::vector<std::uint8_t> bytes_;
};

}  // namespace tests::resources
