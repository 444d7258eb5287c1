// The resources the built library carries, read back as a host reads them.
#include <platform/automation/ComPtr.h>
#include <platform/automation/Guid.h>
#include <gtest/gtest.h>
#include <platform/resources/ResourceLibrary.h>
#include <platform/resources/VersionBlockReader.h>
#include <tagcomponent/LyreboxIdentity.h>
#include <platform/typelib/TypeInfo.h>
#include <tests/resources/LyreboxVersionStrings.h>

#include <cstdint>
#include <vector>

namespace {

using platform::resources::ResourceBytes;
using platform::resources::ResourceId;

class LyreboxResources : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(library.status) << library.status.reason(); }
  std::vector<std::uint8_t> bytes(const ResourceId& type, const ResourceId& name) {
    const auto found = library.value.find(type, name);
    EXPECT_TRUE(found) << type.describe() << " " << name.describe();
    return found ? std::vector<std::uint8_t>(found->begin(), found->end()) : std::vector<std::uint8_t>{};
  }
  static std::uint32_t read32(const std::vector<std::uint8_t>& b, std::size_t at) {
    return b[at] | b[at + 1] << 8 | b[at + 2] << 16 | std::uint32_t(b[at + 3]) << 24;
  }
  static std::uint16_t read16(const std::vector<std::uint8_t>& b, std::size_t at) {
    return static_cast<std::uint16_t>(b[at] | b[at + 1] << 8);
  }

  platform::status::Result<platform::resources::ResourceLibrary> library =
      platform::resources::ResourceLibrary::open(LYREBOX_PATH);
};

TEST_F(LyreboxResources, InterfaceIdentityBlobsAreLengthThenIdentity) {
  const struct {
    const char* type;
    platform::automation::IID iid;
  } blobs[] = {{"_IID_LYREBOX", tagcomponent::IID__Lyrebox}, {"_SRCIID_LYREBOX", tagcomponent::DIID___Lyrebox}};
  for (const auto& blob : blobs) {
    const auto found = bytes(blob.type, 1);
    ASSERT_EQ(found.size(), 20u) << blob.type;
    EXPECT_EQ(read32(found, 0), 16u) << blob.type;
    std::uint8_t expected[16];
    platform::automation::guidToBytes(blob.iid, expected);
    EXPECT_TRUE(std::equal(found.begin() + 4, found.end(), expected)) << blob.type;
  }
}

TEST_F(LyreboxResources, VersionBlockReadsBackToItsStrings) {
  const auto block = bytes(platform::resources::RT_VERSION, 1);
  const auto parsed = platform::resources::parseVersionBlock(block);
  ASSERT_TRUE(parsed.status) << parsed.status.reason();
  const platform::resources::VersionInfo& info = parsed.value;
  EXPECT_EQ(info.fixed.fileVersion,
            (platform::resources::FourPartVersion{tagcomponent::kVersionMajor, tagcomponent::kVersionMinor, 0,
                                                  tagcomponent::kVersionRevision}));
  EXPECT_EQ(info.fixed.productVersion,
            (platform::resources::FourPartVersion{tagcomponent::kVersionMajor, tagcomponent::kVersionMinor, 0,
                                                  tagcomponent::kVersionRevision}));
  EXPECT_EQ(info.fixed.fileOS, platform::resources::VOS__WINDOWS32);
  EXPECT_EQ(info.fixed.fileType, platform::resources::VFT_DLL);
  EXPECT_EQ(info.fixed.fileFlags, 0u);
  ASSERT_EQ(info.stringTables.size(), 1u);
  EXPECT_EQ(info.stringTables[0].key, u"040904B0");
  EXPECT_EQ(info.stringTables[0].strings, tests::resources::kLyreboxVersionStrings);
  EXPECT_EQ(info.translations, (std::vector<platform::resources::Translation>{{0x0409, 0x04B0}}));
}

TEST_F(LyreboxResources, PicturesAreUncompressedBitmapsOfTheirSize) {
  const struct {
    ResourceId type;
    ResourceId name;
    std::int32_t width, height;
    std::uint16_t bits;
  } pictures[] = {{platform::resources::RT_BITMAP, 30000, 16, 15, 24}, {"ABOUTIMAGE", 1, 32, 32, 4}};
  for (const auto& p : pictures) {
    const auto bmp = bytes(p.type, p.name);
    ASSERT_GE(bmp.size(), 54u) << p.name.describe();
    EXPECT_EQ(bmp[0], 'B');
    EXPECT_EQ(bmp[1], 'M');
    EXPECT_EQ(read32(bmp, 2), bmp.size()) << "file size field";
    EXPECT_EQ(static_cast<std::int32_t>(read32(bmp, 18)), p.width);
    EXPECT_EQ(static_cast<std::int32_t>(read32(bmp, 22)), p.height);
    EXPECT_EQ(read16(bmp, 28), p.bits);
    EXPECT_EQ(read32(bmp, 30), 0u) << "BI_RGB";
  }
  const auto icon = bytes("ABOUTICON", 1);
  ASSERT_GE(icon.size(), 22u);
  EXPECT_EQ(read16(icon, 2), 1u) << "an icon";
  EXPECT_EQ(icon[6], 32);
  EXPECT_EQ(icon[7], 32);
}

TEST_F(LyreboxResources, TypeLibraryLoadsWithItsIdentity) {
  const auto found = library.value.find("TYPELIB", 1);
  ASSERT_TRUE(found);
  platform::automation::ComPtr<platform::typelib::ITypeLib> typeLibrary;
  std::string why;
  ASSERT_EQ(platform::typelib::loadTypeLib(*found, typeLibrary.put(), &why), platform::automation::S_OK) << why;
  platform::typelib::LibraryAttributes attributes;
  ASSERT_EQ(typeLibrary->GetLibAttr(&attributes), platform::automation::S_OK);
  EXPECT_EQ(attributes.guid, tagcomponent::LIBID_prjLyrebox);
  EXPECT_EQ(attributes.lcid, 0u);
  EXPECT_EQ(typeLibrary->GetTypeInfoCount(), 3u);
  platform::automation::ComPtr<platform::typelib::ITypeInfo> events;
  ASSERT_EQ(typeLibrary->GetTypeInfoOfGuid(tagcomponent::DIID___Lyrebox, events.put()), platform::automation::S_OK);
  platform::typelib::TypeAttributes eventAttributes;
  ASSERT_EQ(events->GetTypeAttr(&eventAttributes), platform::automation::S_OK);
  EXPECT_EQ(eventAttributes.kind, platform::typelib::TKIND_DISPATCH);
  EXPECT_EQ(eventAttributes.functionCount, 0u);
}

}  // namespace
