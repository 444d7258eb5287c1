#include <gtest/gtest.h>
#include <platform/resources/VersionBlockReader.h>
#include <platform/resources/VersionBlockWriter.h>

#include <random>
#include <string>
#include <vector>

#include <tests/resources/LyreboxVersionStrings.h>
#include <tests/resources/TestFiles.h>

using namespace platform::resources;
using tests::resources::Bytes;
using tests::resources::read16;
using tests::resources::read32;

namespace {

Bytes componentBlock() { return tests::resources::readFile(LYREBOX_VERSION_BLOCK); }

TEST(ComponentVersionBlock, ReadsBackToExactlyTheListedValues) {
  const auto info = parseVersionBlock(componentBlock());
  ASSERT_TRUE(info.status) << info.status.reason();
  const FixedFileInfo& fixed = info.value.fixed;
  EXPECT_EQ(fixed.fileVersion, (FourPartVersion{tagcomponent::kVersionMajor, tagcomponent::kVersionMinor, 0,
                                                tagcomponent::kVersionRevision}));
  EXPECT_EQ(fixed.productVersion, (FourPartVersion{tagcomponent::kVersionMajor, tagcomponent::kVersionMinor, 0,
                                                   tagcomponent::kVersionRevision}));
  EXPECT_EQ(fixed.fileFlags, 0u);
  EXPECT_EQ(fixed.fileOS, 0x00000004u);
  EXPECT_EQ(fixed.fileType, 2u);
  EXPECT_EQ(fixed.fileSubtype, 0u);
  EXPECT_EQ(fixed.fileDate, 0u);
  ASSERT_EQ(info.value.stringTables.size(), 1u);
  EXPECT_EQ(info.value.stringTables[0].key, u"040904B0");
  EXPECT_EQ(info.value.stringTables[0].strings, tests::resources::kLyreboxVersionStrings);
  EXPECT_EQ(info.value.translations, (std::vector<Translation>{{0x0409, 0x04B0}}));
}

// One block as it lies in the bytes, found by a walk that trusts only the
// classic layout, not the reader under test.
struct RawBlock {
  int depth;
  std::size_t offset, length;
  std::uint16_t valueLength, type;
  std::u16string key, text;
};

void walk(const Bytes& bytes, std::size_t offset, std::size_t parentEnd, int depth, std::vector<RawBlock>& out) {
  RawBlock block{depth, offset, read16(bytes, offset), read16(bytes, offset + 2), read16(bytes, offset + 4), {}, {}};
  ASSERT_EQ(offset % 4, 0u) << "block at " << offset;
  ASSERT_LE(offset + block.length, parentEnd) << "block at " << offset;
  std::size_t cursor = offset + 6;
  for (; read16(bytes, cursor) != 0; cursor += 2) block.key.push_back(read16(bytes, cursor));
  cursor = (cursor + 2 + 3) & ~std::size_t{3};  // past the NUL, then padded
  const std::size_t valueBytes = block.type == 1 ? block.valueLength * 2u : block.valueLength;
  if (block.type == 1)
    for (std::size_t i = 0; i + 2 < valueBytes; i += 2) block.text.push_back(read16(bytes, cursor + i));
  out.push_back(block);
  const bool hasChildren = depth < 2 || (depth == 2 && block.key != u"Translation");
  if (!hasChildren) return;
  for (std::size_t child = (cursor + valueBytes + 3) & ~std::size_t{3}; child < offset + block.length;
       child = (child + read16(bytes, child) + 3) & ~std::size_t{3})
    walk(bytes, child, offset + block.length, depth + 1, out);
}

TEST(ComponentVersionBlock, LaysOutHeadersKeysAndPaddingTheClassicWay) {
  const Bytes bytes = componentBlock();
  ASSERT_GE(bytes.size(), 92u);
  EXPECT_EQ(read16(bytes, 0), bytes.size());
  EXPECT_EQ(bytes.size() % 4, 0u);
  EXPECT_EQ(read16(bytes, 2), 52u);
  EXPECT_EQ(read32(bytes, 40), 0xFEEF04BDu);
  EXPECT_EQ(read32(bytes, 44), 0x00010000u);

  std::vector<RawBlock> blocks;
  walk(bytes, 0, bytes.size(), 0, blocks);
  std::vector<std::tuple<int, std::u16string, std::uint16_t>> expected{
      {0, u"VS_VERSION_INFO", 0}, {1, u"StringFileInfo", 1}, {2, u"040904B0", 1}};
  const auto& strings = tests::resources::kLyreboxVersionStrings;
  for (const auto& [key, value] : strings) expected.emplace_back(3, key, 1);
  expected.insert(expected.end(), {{1, u"VarFileInfo", 1}, {2, u"Translation", 0}});
  ASSERT_EQ(blocks.size(), expected.size());
  for (std::size_t i = 0; i < blocks.size(); ++i) {
    const RawBlock& b = blocks[i];
    EXPECT_EQ(std::make_tuple(b.depth, b.key, b.type), expected[i]) << "block " << i;
    if (b.depth == 3) {
      EXPECT_EQ(b.valueLength, strings[i - 3].second.size() + 1) << "characters and NUL";
      EXPECT_EQ(b.text, strings[i - 3].second);
    }
  }
  const RawBlock& translation = blocks.back();
  EXPECT_EQ(translation.valueLength, 4u);
  EXPECT_EQ(translation.offset + translation.length, bytes.size());
  EXPECT_EQ(read32(bytes, bytes.size() - 4), 0x04B00409u);
}

TEST(VersionBlock, AnyContentSurvivesAWriteAndARead) {
  VersionInfo several;
  several.fixed = {{5, 4, 3, 2}, {65535, 0, 1, 9}, 0x3F, 0x2, 0x40004, 1, 7, 0x0123456789ABCDEFull};
  several.stringTables = {
      {u"040904B0", {{u"A", u"odd"}, {u"Even", u""}, {u"Comments", u"Grüße, 音楽"}}},
      {u"040704E4", {}},
      {u"000004B0", {{u"K", u"x"}}},
  };
  several.translations = {{0x0409, 0x04B0}, {0x0407, 0x04E4}, {0, 1200}};
  const VersionInfo cases[] = {VersionInfo{}, several};
  for (const VersionInfo& info : cases) {
    const auto back = parseVersionBlock(buildVersionBlock(info));
    ASSERT_TRUE(back.status) << back.status.reason();
    EXPECT_EQ(back.value, info);
  }
}

TEST(VersionBlock, EveryTruncationIsAnError) {
  const Bytes bytes = componentBlock();
  for (std::size_t size = 0; size < bytes.size(); ++size)
    EXPECT_FALSE(parseVersionBlock(std::span(bytes.data(), size)).status) << "cut at " << size;
}

TEST(VersionBlock, CorruptedHeadersAndValuesAreErrors) {
  const Bytes good = componentBlock();
  const std::size_t firstString = 0x98;  // FileDescription
  const std::size_t translation = good.size() - 0x24;
  ASSERT_EQ(read16(good, translation + 2), 4u) << "the block moved; update the offsets";
  struct Case {
    const char* what;
    std::size_t offset;
    std::uint16_t value;
  } cases[] = {
      {"root shorter than its header", 0, 5},
      {"root longer than the bytes", 0, static_cast<std::uint16_t>(good.size() + 4)},
      {"fixed part of the wrong size", 2, 48},
      {"root value declared as text", 4, 1},
      {"unknown value type", 4, 7},
      {"root key changed", 6, u'W'},
      {"signature changed", 40, 0x04BE},
      {"structure version changed", 46, 2},
      {"string longer than its table", firstString, 0x1F0},
      {"string value past its block", firstString + 2, 0x40},
      {"key with no NUL in its block", firstString, 10},
      {"translation not whole pairs", translation + 2, 3},
  };
  for (const Case& c : cases) {
    Bytes bytes = good;
    tests::resources::write16(bytes, c.offset, c.value);
    const auto result = parseVersionBlock(bytes);
    EXPECT_FALSE(result.status) << c.what;
    EXPECT_FALSE(result.status.reason().empty()) << c.what;
  }
}

// Whatever the bytes, the reader answers; and what it reads is stable: written
// out and read again it gives the same content.
TEST(VersionBlock, MutatedAndRandomBytesNeverCrashTheReader) {
  const Bytes good = componentBlock();
  std::mt19937 random(20261207);
  int readable = 0;
  for (int round = 0; round < 20000; ++round) {
    Bytes bytes = good;
    if (round % 4 == 3) {
      bytes.resize(random() % 200);
      for (auto& b : bytes) b = static_cast<std::uint8_t>(random());
      if (bytes.size() >= 2) tests::resources::write16(bytes, 0, static_cast<std::uint16_t>(bytes.size()));
    } else {
      for (int n = 1 + random() % 4; n > 0; --n) bytes[random() % bytes.size()] = static_cast<std::uint8_t>(random());
    }
    const auto info = parseVersionBlock(bytes);
    if (!info.status) continue;
    ++readable;
    const auto again = parseVersionBlock(buildVersionBlock(info.value));
    ASSERT_TRUE(again.status) << again.status.reason();
    ASSERT_EQ(again.value, info.value);
  }
  EXPECT_GT(readable, 0);
}

}  // namespace
