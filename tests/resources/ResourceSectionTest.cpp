// The resource section as a reader meets it: found through a library file's
// section headers, whatever shape the file is in, and read entry by entry.
#include <gtest/gtest.h>
#include <platform/resources/ByteSource.h>
#include <platform/resources/ElfSectionReader.h>
#include <platform/resources/ResourceSectionWriter.h>
#include <platform/resources/ResourceTableView.h>

#include <functional>
#include <string>

#include <tests/resources/ElfImage.h>
#include <tests/resources/TestFiles.h>

namespace {

using namespace platform::resources;
using tests::resources::Bytes;
using tests::resources::ElfImage;
using tests::resources::read32;
using tests::resources::write16;

platform::status::Result<Bytes> sectionOf(const Bytes& file) {
  return readElfSection(MemoryByteSource(file), kSectionName);
}

const Bytes kSection = writeResourceSection({{RT_BITMAP, 30000, {1, 2, 3}}, {"TYPELIB", "Main", {}}});

TEST(ResourceSection, WrittenEntriesReadBackWithTheirKeysAndBytes) {
  const auto table = ResourceTableView::parse(kSection);
  ASSERT_TRUE(table.status) << table.status.reason();
  ASSERT_EQ(table.value.entries().size(), 2u);
  EXPECT_EQ(Bytes(table.value.find(RT_BITMAP, 30000)->begin(), table.value.find(RT_BITMAP, 30000)->end()),
            (Bytes{1, 2, 3}));
  EXPECT_TRUE(table.value.find("typelib", "MAIN").has_value());
  EXPECT_TRUE(table.value.find("TYPELIB", "Main")->empty());
}

TEST(ResourceSection, EveryShortenedOrMiscountedTableIsRefused) {
  for (std::size_t size = 0; size < kSection.size(); ++size)
    EXPECT_FALSE(ResourceTableView::parse(std::span(kSection.data(), size)).status) << "cut at " << size;
  Bytes wrongLayout = kSection, tooMany = kSection;
  wrongLayout[3] ^= 1;
  tooMany[4] = 3;
  EXPECT_FALSE(ResourceTableView::parse(wrongLayout).status);
  EXPECT_FALSE(ResourceTableView::parse(tooMany).status);
}

// Files our build never makes: every class and byte order finds the section.
TEST(ElfSectionReader, FindsTheSectionInEveryClassAndByteOrder) {
  for (const bool is64 : {false, true})
    for (const bool bigEndian : {false, true}) {
      const auto found = sectionOf(ElfImage::make({is64, bigEndian}, kSectionName, kSection));
      ASSERT_TRUE(found.status) << is64 << bigEndian << ": " << found.status.reason();
      EXPECT_EQ(found.value, kSection);
    }
  EXPECT_FALSE(sectionOf(ElfImage::make({}, ".mvresX", kSection)).status);
  EXPECT_FALSE(sectionOf(ElfImage::make({}, ".mvre", kSection)).status);
}

// Offsets in a little-endian ELF64 image made by ElfImage: the file header's
// fields, and the headers of its sections (1 the name table, 2 the resources).
struct Elf64 {
  static constexpr std::size_t kClass = 4, kOrder = 5, kTableOffset = 0x28, kEntrySize = 0x3A, kCount = 0x3C,
                               kNamesIndex = 0x3E;
  static std::size_t section(const Bytes& file, int index, std::size_t field) {
    return read32(file, kTableOffset) + 64 * index + field;
  }
  static constexpr std::size_t kName = 0, kType = 4, kOffset = 24, kSize = 32;
};

void write32(Bytes& bytes, std::size_t at, std::uint32_t value) {
  write16(bytes, at, static_cast<std::uint16_t>(value));
  write16(bytes, at + 2, static_cast<std::uint16_t>(value >> 16));
}

TEST(ElfSectionReader, AHostileFileGivesAMessageNeverABadRead) {
  const Bytes good = ElfImage::make({}, kSectionName, kSection);
  using E = Elf64;
  const struct {
    const char* what;
    std::function<void(Bytes&)> doctor;
  } cases[] = {
      {"not ELF", [](Bytes& f) { f[1] = 'X'; }},
      {"unknown class", [](Bytes& f) { f[E::kClass] = 3; }},
      {"unknown byte order", [](Bytes& f) { f[E::kOrder] = 0; }},
      {"no section headers", [](Bytes& f) { write32(f, E::kTableOffset, 0); }},
      {"headers past the end", [](Bytes& f) { write32(f, E::kTableOffset, 0xFFFFFF00); }},
      {"headers too small", [](Bytes& f) { write16(f, E::kEntrySize, 8); }},
      {"headers run past the end", [](Bytes& f) { write16(f, E::kCount, 0xFFF0); }},
      {"count from header 0, huge",
       [](Bytes& f) {
         write16(f, E::kCount, 0);
         write32(f, E::section(f, 0, E::kSize), 0xFFFFFFFF);
       }},
      {"name table not a section", [](Bytes& f) { write16(f, E::kNamesIndex, 3); }},
      {"name table index from header 0, wrong", [](Bytes& f) { write16(f, E::kNamesIndex, 0xFFFF); }},
      {"name table past the end", [](Bytes& f) { write32(f, E::section(f, 1, E::kOffset), 0x7FFFFFF0); }},
      {"name table larger than the file", [](Bytes& f) { write32(f, E::section(f, 1, E::kSize), 0x10000); }},
      {"name offset past the name table", [](Bytes& f) { write32(f, E::section(f, 2, E::kName), 0xFFFFFFF0); }},
      {"section occupies no bytes", [](Bytes& f) { write32(f, E::section(f, 2, E::kType), 8); }},
      {"section past the end", [](Bytes& f) { write32(f, E::section(f, 2, E::kOffset), 0xFFFFFFF0); }},
      {"section larger than the file", [](Bytes& f) { write32(f, E::section(f, 2, E::kSize), 0x100000); }},
      {"section over the size limit", [](Bytes& f) { f.at(E::section(f, 2, E::kSize) + 5) = 1; }},
  };
  ASSERT_TRUE(sectionOf(good).status);
  for (const auto& c : cases) {
    Bytes file = good;
    c.doctor(file);
    const auto found = sectionOf(file);
    EXPECT_FALSE(found.status) << c.what;
    if (!found.status) {
      EXPECT_FALSE(found.status.reason().empty()) << c.what;
    }
  }
  for (std::size_t size = 0; size < good.size(); ++size)
    EXPECT_FALSE(sectionOf(Bytes(good.begin(), good.begin() + static_cast<std::ptrdiff_t>(size))).status)
        << "cut at " << size;
}

// The build's own library: the section the embedder wrote, found in the file the
// linker made.
TEST(ElfSectionReader, FindsTheEmbeddedTableInABuiltLibrary) {
  const auto found = sectionOf(tests::resources::readFile(SAMPLE_LIBRARY));
  ASSERT_TRUE(found.status) << found.status.reason();
  const auto table = ResourceTableView::parse(found.value);
  ASSERT_TRUE(table.status) << table.status.reason();
  EXPECT_EQ(table.value.entries().size(), 6u);
}

}  // namespace
