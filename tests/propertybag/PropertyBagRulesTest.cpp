#include <platform/automation/PropertyBag.h>
#include <platform/automation/PropertyBagInMemory.h>

#include <gtest/gtest.h>

namespace {

using namespace platform::automation;

ComPtr<InMemoryPropertyBag> emptyBag() { return makeObject<InMemoryPropertyBag>(); }

struct DefaultCase {
  const char* name;
  Variant value;
  Variant defaultValue;
  bool written;
};

TEST(WriteProperty, LeavesOutOnlyValuesEqualToTheirDefault) {
  const DefaultCase cases[] = {
      {"byte 255 against 16-bit 255", Variant::fromUI1(255), Variant::fromI2(255), false},
      {"32-bit against 16-bit", Variant::fromI4(873), Variant::fromI2(873), false},
      {"16-bit against byte", Variant::fromI2(19), Variant::fromUI1(19), false},
      {"negative 32-bit against 16-bit", Variant::fromI4(-2), Variant::fromI2(-2), false},
      {"byte 254 against 255", Variant::fromUI1(254), Variant::fromI2(255), true},
      {"32-bit beyond 16 bits", Variant::fromI4(65536 + 19), Variant::fromI2(19), true},
      {"year text against integer 19", Variant::fromBstr(u"19  "), Variant::fromI2(19), true},
      {"digits against the same integer", Variant::fromBstr(u"255"), Variant::fromI2(255), true},
      {"empty text against integer 0", Variant::fromBstr(u""), Variant::fromI2(0), true},
      {"30 spaces against empty text", Variant::fromBstr(std::u16string(30, u' ')), Variant::fromBstr(u""), true},
      {"equal texts", Variant::fromBstr(u"Moon"), Variant::fromBstr(u"Moon"), false},
      {"texts differing in case", Variant::fromBstr(u"moon"), Variant::fromBstr(u"Moon"), true},
      {"equal booleans", Variant::fromBool(true), Variant::fromBool(true), false},
      {"true against -1", Variant::fromBool(true), Variant::fromI2(-1), true},
      {"empty against empty", Variant(), Variant(), false},
      {"0 against empty", Variant::fromI2(0), Variant(), true},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    auto bag = emptyBag();
    ASSERT_EQ(writeProperty(bag.get(), u"Key", c.value, c.defaultValue), S_OK);
    ASSERT_EQ(bag->entries().size(), c.written ? 1u : 0u);
    if (c.written) {
      EXPECT_EQ(bag->entries()[0].value, c.value);
    }
  }
}

TEST(ReadProperty, AbsentKeyGivesTheDefaultAndStoredKeyItsValueInAnyCase) {
  auto bag = emptyBag();
  ASSERT_EQ(bag->Write(u"tag_year", Variant::fromBstr(u"1999")), S_OK);

  const struct {
    std::u16string key;
    Variant expected;
  } cases[] = {
      {u"tag_year", Variant::fromBstr(u"1999")}, {u"Tag_Year", Variant::fromBstr(u"1999")},
      {u"TAG_YEAR", Variant::fromBstr(u"1999")}, {u"Tag_Genre", Variant::fromI2(255)},
      {u"tag_yea", Variant::fromI2(255)},
  };
  for (const auto& c : cases) {
    Variant value;
    ASSERT_EQ(readProperty(bag.get(), c.key, Variant::fromI2(255), &value), S_OK);
    EXPECT_EQ(value, c.expected);
  }
}

TEST(InMemoryBag, KeepsKeysInWriteOrderAndRewritesAKeyInPlaceWhateverItsCase) {
  auto bag = emptyBag();
  ASSERT_EQ(bag->Write(u"Tag_Title", Variant::fromBstr(u"a")), S_OK);
  ASSERT_EQ(bag->Write(u"Tag_Artist", Variant::fromBstr(u"b")), S_OK);
  ASSERT_EQ(bag->Write(u"_extentx", Variant::fromI4(873)), S_OK);
  ASSERT_EQ(bag->Write(u"TAG_TITLE", Variant::fromBstr(u"c")), S_OK);

  const BagEntries expected = {{u"Tag_Title", Variant::fromBstr(u"c")},
                               {u"Tag_Artist", Variant::fromBstr(u"b")},
                               {u"_extentx", Variant::fromI4(873)}};
  EXPECT_EQ(bag->entries(), expected);
  EXPECT_EQ(bag->Write(u"", Variant::fromI2(1)), E_INVALIDARG);
  Variant value;
  EXPECT_EQ(bag->Read(u"Tag_Album", &value), E_INVALIDARG);
}

// A bag that fails for one reason other than an absent key.
struct BrokenBag final : IPropertyBag {
  HRESULT QueryInterface(const IID&, void**) override { return E_NOINTERFACE; }
  std::uint32_t AddRef() override { return 1; }
  std::uint32_t Release() override { return 1; }
  HRESULT Read(std::u16string_view, Variant*) override { return E_FAIL; }
  HRESULT Write(std::u16string_view, const Variant&) override { return E_FAIL; }
};

TEST(ReadProperty, PassesOnABagFailureAndLeavesTheValue) {
  BrokenBag bag;
  Variant value = Variant::fromI2(7);
  EXPECT_EQ(readProperty(&bag, u"Tag_Title", Variant::fromBstr(u""), &value), E_FAIL);
  EXPECT_EQ(value, Variant::fromI2(7));
  EXPECT_EQ(writeProperty(&bag, u"Tag_Title", Variant::fromBstr(u"x"), Variant::fromBstr(u"")), E_FAIL);
  // A value equal to its default never reaches the bag, so nothing can fail.
  EXPECT_EQ(writeProperty(&bag, u"Tag_Genre", Variant::fromUI1(255), Variant::fromI2(255)), S_OK);
}

}  // namespace
