#include <administrator/window/Lyrebox1SavedProperties.h>
#include <platform/automation/PropertyBagInMemory.h>
#include <platform/automation/PropertyBagText.h>
#include <tagcomponent/persistence/PropertyHandlers.h>
#include <tagcomponent/persistence/PropertyKeys.h>

#include <gtest/gtest.h>

#include <array>
#include <string>

namespace {

using namespace platform::automation;
using tagcomponent::ID3tagRecord;
using namespace std::string_literals;

// One control's persisted state, starting from values no handler would set.
struct Instance {
  std::u16string fileName = u"previous.mp3";
  ID3tagRecord record = []() {
    ID3tagRecord r;
    r.Marker.assign(u"TAG");
    for (auto* field : {&r.Title, &r.Artist, &r.Album, &r.Comment}) field->assign(u"old");
    r.Year.assign(u"old");
    r.Genre = 7;
    return r;
  }();

  tagcomponent::persistence::ControlState state() { return {fileName, record}; }
};

Instance newInstance() {
  Instance instance;
  tagcomponent::persistence::UserControl_InitProperties(instance.state());
  return instance;
}

ComPtr<InMemoryPropertyBag> bagOf(BagEntries entries) { return makeObject<InMemoryPropertyBag>(std::move(entries)); }

BagEntries savedEntries(const Instance& instance) {
  auto bag = makeObject<InMemoryPropertyBag>();
  EXPECT_EQ(tagcomponent::persistence::UserControl_WriteProperties({instance.fileName, instance.record}, bag.get()),
            S_OK);
  return bag->entries();
}

BagEntries administratorEntries() {
  const ParsedBagText parsed = parseBagText(administrator::window::kLyrebox1SavedProperties);
  EXPECT_FALSE(parsed.error) << parsed.error->message();
  return parsed.entries;
}

TEST(InitProperties, SetsTheNoTagValuesAndKeepsTheMarker) {
  const Instance instance = newInstance();
  EXPECT_EQ(instance.fileName, u"");
  EXPECT_EQ(instance.record.Title.text(), std::u16string(30, u' '));
  EXPECT_EQ(instance.record.Comment.text(), std::u16string(30, u' '));
  EXPECT_EQ(instance.record.Year.text(), u"19  ");
  EXPECT_EQ(instance.record.Genre, 255);
  EXPECT_EQ(instance.record.Marker.text(), u"TAG");
}

TEST(SavedProperties, ANewInstanceWritesExactlyWhatTheAdministratorStores) {
  BagEntries expected = administratorEntries();
  std::erase_if(expected, [](const BagEntry& e) { return e.key.starts_with(u"_extent"); });
  const BagEntries written = savedEntries(newInstance());
  ASSERT_EQ(written.size(), expected.size());
  for (std::size_t i = 0; i < written.size(); ++i) {
    EXPECT_TRUE(sameBagKey(written[i].key, expected[i].key));
    EXPECT_EQ(written[i].value, expected[i].value);
  }
}

TEST(SavedProperties, RestoringTheAdministratorsValuesANewInstanceOrNothingGivesTheDefaults) {
  const BagEntries sources[] = {administratorEntries(), savedEntries(newInstance()), {}};
  for (const auto& entries : sources) {
    Instance instance;
    ASSERT_EQ(tagcomponent::persistence::UserControl_ReadProperties(instance.state(), bagOf(entries).get()), S_OK);
    const Instance fresh = newInstance();
    EXPECT_EQ(instance.fileName, fresh.fileName);
    EXPECT_EQ(instance.record, fresh.record);
  }
}

TEST(SavedProperties, AFullPathAndAwkwardTextsComeBackThroughTheTextForm) {
  Instance saved = newInstance();
  saved.fileName = u"/nonexistent/Music/\u00c9t\u00e9 \\ \"1\"/01 \xDC80.mp3";
  saved.record.Title.assign(u"Nul\0 inside"s);
  saved.record.Year.assign(u"2001");
  saved.record.Genre = 0;
  std::string text;
  ASSERT_EQ(writeBagText(savedEntries(saved), &text), S_OK);
  const ParsedBagText parsed = parseBagText(text);
  ASSERT_FALSE(parsed.error) << parsed.error->message();

  Instance restored;
  ASSERT_EQ(tagcomponent::persistence::UserControl_ReadProperties(restored.state(), bagOf(parsed.entries).get()), S_OK);
  EXPECT_EQ(restored.fileName, saved.fileName);
  // The file does not exist; had it been loaded, the marker and fields would show it.
  EXPECT_EQ(restored.record, saved.record);
}

TEST(ReadProperties, CutsPadsAndConvertsStoredValuesUnderAnyKeyCase) {
  const std::u16string forty = u"0123456789012345678901234567890123456789";
  const BagEntries entries = {{u"TAG_TITLE", Variant::fromBstr(forty)},  {u"tag_artist", Variant::fromBstr(u"Short")},
                              {u"Tag_Album", Variant::fromI2(42)},       {u"mp3_filename", Variant::fromBstr(u"a.mp3")},
                              {u"Tag_Comment", Variant::fromBool(true)}, {u"tag_genre", Variant::fromBstr(u" 12 ")}};
  Instance instance;
  ASSERT_EQ(tagcomponent::persistence::UserControl_ReadProperties(instance.state(), bagOf(entries).get()), S_OK);
  EXPECT_EQ(instance.fileName, u"a.mp3");
  EXPECT_EQ(instance.record.Title.text(), forty.substr(0, 30));
  EXPECT_EQ(instance.record.Artist.text(), u"Short" + std::u16string(25, u' '));
  EXPECT_EQ(instance.record.Album.text(), u"42" + std::u16string(28, u' '));
  EXPECT_EQ(instance.record.Comment.text(), u"True" + std::u16string(26, u' '));
  EXPECT_EQ(instance.record.Genre, 12);
}

TEST(ReadProperties, TheYearIsTextOfWhateverWasStored) {
  const struct {
    Variant stored;
    std::u16string year;
  } cases[] = {{Variant::fromBstr(u"19999"), u"1999"},
               {Variant::fromI2(1987), u"1987"},
               {Variant::fromI4(2003), u"2003"},
               {Variant::fromUI1(7), u"7   "},
               {Variant::fromBstr(u""), u"    "}};
  for (const auto& c : cases) {
    Instance instance;
    ASSERT_EQ(
        tagcomponent::persistence::UserControl_ReadProperties(instance.state(), bagOf({{u"Tag_Year", c.stored}}).get()),
        S_OK);
    EXPECT_EQ(instance.record.Year.text(), c.year);
  }
}

TEST(ReadProperties, AGenreThatIsNoByteFailsLastWithTheOthersRestored) {
  const struct {
    Variant genre;
    HRESULT expected;
  } cases[] = {{Variant::fromI2(300), DISP_E_OVERFLOW},
               {Variant::fromI2(-1), DISP_E_OVERFLOW},
               {Variant::fromBstr(u"300"), DISP_E_OVERFLOW},
               {Variant::fromBstr(u"abc"), DISP_E_TYPEMISMATCH}};
  for (const auto& c : cases) {
    const BagEntries entries = {{u"MP3_FileName", Variant::fromBstr(u"b.mp3")},
                                {u"Tag_Title", Variant::fromBstr(u"T")},
                                {u"Tag_Artist", Variant::fromBstr(u"Ar")},
                                {u"Tag_Album", Variant::fromBstr(u"Al")},
                                {u"Tag_Year", Variant::fromBstr(u"1970")},
                                {u"Tag_Comment", Variant::fromBstr(u"C")},
                                {u"Tag_Genre", c.genre}};
    Instance instance;
    EXPECT_EQ(tagcomponent::persistence::UserControl_ReadProperties(instance.state(), bagOf(entries).get()),
              c.expected);
    EXPECT_EQ(instance.fileName, u"b.mp3");
    EXPECT_EQ(instance.record.Title.text().substr(0, 2), u"T ");
    EXPECT_EQ(instance.record.Artist.text().substr(0, 3), u"Ar ");
    EXPECT_EQ(instance.record.Album.text().substr(0, 3), u"Al ");
    EXPECT_EQ(instance.record.Year.text(), u"1970");
    EXPECT_EQ(instance.record.Comment.text().substr(0, 2), u"C ");
    EXPECT_EQ(instance.record.Genre, 7);
  }
}

// A bag that fails every read and write of one key and passes the rest on.
class BagFailingAt final : public IPropertyBag {
 public:
  explicit BagFailingAt(std::u16string_view key) : key_(key) {}
  HRESULT QueryInterface(const IID&, void**) override { return E_NOINTERFACE; }
  std::uint32_t AddRef() override { return 1; }
  std::uint32_t Release() override { return 1; }
  HRESULT Read(std::u16string_view key, Variant* value) override {
    return sameBagKey(key, key_) ? E_FAIL : inner_->Read(key, value);
  }
  HRESULT Write(std::u16string_view key, const Variant& value) override {
    return sameBagKey(key, key_) ? E_FAIL : inner_->Write(key, value);
  }
  ComPtr<InMemoryPropertyBag> inner_ = makeObject<InMemoryPropertyBag>();

 private:
  std::u16string_view key_;
};

const std::u16string_view kKeysInOrder[] = {
    tagcomponent::persistence::bagkey::kFileName, tagcomponent::persistence::bagkey::kTitle,
    tagcomponent::persistence::bagkey::kArtist,   tagcomponent::persistence::bagkey::kAlbum,
    tagcomponent::persistence::bagkey::kYear,     tagcomponent::persistence::bagkey::kComment,
    tagcomponent::persistence::bagkey::kGenre};

TEST(Handlers, AFailingKeyEndsTheHandlerThereWithItsError) {
  Instance saved;  // differs from every default, so all seven keys are written
  saved.fileName = u"c.mp3";
  for (std::size_t failing = 0; failing < std::size(kKeysInOrder); ++failing) {
    SCOPED_TRACE(failing);
    BagFailingAt bag(kKeysInOrder[failing]);
    EXPECT_EQ(tagcomponent::persistence::UserControl_WriteProperties({saved.fileName, saved.record}, &bag), E_FAIL);
    ASSERT_EQ(bag.inner_->entries().size(), failing);

    for (const auto& entry : savedEntries(saved)) bag.inner_->Write(entry.key, entry.value);
    Instance restored = newInstance();
    EXPECT_EQ(tagcomponent::persistence::UserControl_ReadProperties(restored.state(), &bag), E_FAIL);
    // Per key, in the order they are read: whether `restored` holds the value of `other`.
    auto sameAs = [&restored](const Instance& other) {
      const ID3tagRecord& r = restored.record;
      return std::array{restored.fileName == other.fileName, r.Title == other.record.Title,
                        r.Artist == other.record.Artist,     r.Album == other.record.Album,
                        r.Year == other.record.Year,         r.Comment == other.record.Comment,
                        r.Genre == other.record.Genre};
    };
    const auto restoredBefore = sameAs(saved);
    const auto keptNew = sameAs(newInstance());
    for (std::size_t k = 0; k < std::size(kKeysInOrder); ++k)
      EXPECT_TRUE(k < failing ? restoredBefore[k] : keptNew[k]) << "key " << k;
  }
}

}  // namespace
