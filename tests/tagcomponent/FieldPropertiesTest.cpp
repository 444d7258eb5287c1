#include <platform/automation/ComObject.h>
#include <tagcomponent/Lyrebox.h>

#include <gtest/gtest.h>

#include <string>

#include <tests/support/TagTestSupport.h>

namespace {

using platform::automation::HRESULT;
using tagcomponent::Lyrebox;
using tests::support::RecordingSite;
using tests::support::YieldCounter;
using namespace std::string_literals;

// The four text properties differ only in their field and notification name.
struct TextProperty {
  const char* name;
  HRESULT (Lyrebox::*get)(std::u16string*);
  HRESULT (Lyrebox::*put)(const std::u16string&);
  tagcomponent::FixedTextField<30> tagcomponent::ID3tagRecord::*field;
  std::u16string bagKey;
};

const TextProperty kTextProperties[] = {
    {"Title", &Lyrebox::get_ID3tag_Title, &Lyrebox::put_ID3tag_Title, &tagcomponent::ID3tagRecord::Title, u"Tag_Title"},
    {"Artist", &Lyrebox::get_ID3tag_Artist, &Lyrebox::put_ID3tag_Artist, &tagcomponent::ID3tagRecord::Artist,
     u"Tag_Artist"},
    {"Album", &Lyrebox::get_ID3tag_Album, &Lyrebox::put_ID3tag_Album, &tagcomponent::ID3tagRecord::Album, u"Tag_Album"},
    {"Comment", &Lyrebox::get_ID3tag_Comment, &Lyrebox::put_ID3tag_Comment, &tagcomponent::ID3tagRecord::Comment,
     u"Tag_Comment"},
};

TEST(TextProperties, EachReadsAndWritesItsOwnFieldAndNotifiesUnderItsBagKey) {
  for (const auto& property : kTextProperties) {
    RecordingSite site;  // outlives the control, which holds a reference
    const auto object = platform::automation::makeObject<Lyrebox>();
    Lyrebox& control = *object;
    control.setSite(platform::automation::ComPtr<platform::automation::IControlSite>(&site));
    ASSERT_EQ((control.*property.put)(u"Some value"), platform::automation::S_OK);
    EXPECT_EQ((control.record().*property.field).text(), u"Some value" + std::u16string(20, u' ')) << property.name;
    EXPECT_EQ(site.names, std::vector<std::u16string>{property.bagKey}) << property.name;
    for (const auto& other : kTextProperties) {
      if (&other == &property) continue;
      EXPECT_EQ((control.record().*other.field).text(), std::u16string(30, u' '))
          << property.name << " touched " << other.name;
    }
    std::u16string read;
    ASSERT_EQ((control.*property.get)(&read), platform::automation::S_OK);
    EXPECT_EQ(read, u"Some value") << property.name;
  }
}

TEST(TextProperties, TrimTrailingSpacesThenNulsThenSpacesYieldingPerCharacterOfTheFirstTwoSteps) {
  struct Case {
    std::u16string field;
    std::u16string read;
    int yields;
  };
  const std::u16string abc = u"Abc";
  const Case cases[] = {
      {abc + std::u16string(27, u' '), abc, 27},
      {abc + std::u16string(27, u'\0'), abc, 27},
      {abc + u' ' + std::u16string(26, u'\0'), abc, 26},
      {abc + u'\0' + std::u16string(26, u' '), abc, 27},
      {abc + u'\0' + u' ' + std::u16string(25, u'\0'), abc + u'\0', 25},
      {abc + u' ' + u'\0' + std::u16string(25, u' '), abc, 26},
      {u"  Abc" + std::u16string(25, u' '), u"  Abc", 25},
      {abc + u'\t' + std::u16string(26, u' '), abc + u'\t', 26},
      {abc + u"\0x"s + std::u16string(25, u' '), abc + u"\0x"s, 25},
      {std::u16string(30, u' '), u"", 30},
      {std::u16string(30, u'\0'), u"", 30},
      {std::u16string(30, u'z'), std::u16string(30, u'z'), 0},
  };
  for (const auto& c : cases) {
    for (const auto& property : kTextProperties) {
      const auto object = platform::automation::makeObject<Lyrebox>();
      Lyrebox& control = *object;
      (control.record().*property.field).assign(c.field);
      YieldCounter yields;
      std::u16string read;
      ASSERT_EQ((control.*property.get)(&read), platform::automation::S_OK);
      EXPECT_EQ(read, c.read) << property.name << " case with " << c.yields << " yields";
      EXPECT_EQ(yields.count, c.yields) << property.name;
      EXPECT_EQ((control.record().*property.field).text(), c.field) << "a get changed the field";
    }
  }
}

TEST(TextProperties, SetsCutAtThirtyDropTrailingSpacesAndKeepEverythingElse) {
  struct Case {
    std::u16string set;
    std::u16string stored;
    std::u16string read;
  };
  const std::u16string forty = u"0123456789abcdefghijklmnopqrstuvwxyzABCD";
  const Case cases[] = {
      {forty, forty.substr(0, 30), forty.substr(0, 30)},
      {u"Abc   ", u"Abc" + std::u16string(27, u' '), u"Abc"},
      {u"  Abc", u"  Abc" + std::u16string(25, u' '), u"  Abc"},
      {u"", std::u16string(30, u' '), u""},
      {u"Abc\0"s, u"Abc\0"s + std::u16string(26, u' '), u"Abc"},
      {u"Abc\t ", u"Abc\t" + std::u16string(26, u' '), u"Abc\t"},
      {u"\u20AC\u4E2D", u"\u20AC\u4E2D" + std::u16string(28, u' '), u"\u20AC\u4E2D"},
  };
  for (const auto& c : cases) {
    const auto object = platform::automation::makeObject<Lyrebox>();
    Lyrebox& control = *object;
    ASSERT_EQ(control.put_ID3tag_Title(c.set), platform::automation::S_OK);
    EXPECT_EQ(control.record().Title.text(), c.stored);
    std::u16string read;
    control.get_ID3tag_Title(&read);
    EXPECT_EQ(read, c.read);
  }
}

TEST(TextProperties, AGetReturnsTheTextItCopiedBeforeItsFirstYield) {
  const auto object = platform::automation::makeObject<Lyrebox>();
  Lyrebox& control = *object;
  control.put_ID3tag_Title(u"Before");
  int handlerRuns = 0;
  YieldCounter yields([&] {
    if (handlerRuns++ == 0) control.put_ID3tag_Title(u"Changed by a handler");
  });
  std::u16string read;
  ASSERT_EQ(control.get_ID3tag_Title(&read), platform::automation::S_OK);
  EXPECT_EQ(read, u"Before");
  EXPECT_EQ(yields.count, 24);
}

TEST(YearProperty, ReadsTheYearTextLeniently) {
  struct Case {
    std::u16string text;
    std::int16_t year;
  };
  const Case cases[] = {
      {u"1999", 1999}, {u"19  ", 19}, {u"    ", 0},  {std::u16string(4, u'\0'), 0},
      {u"98xx", 98},   {u"abcd", 0},  {u" 1 9", 19}, {u"&HFF", 255},
      {u"1E3 ", 1000}, {u"2k01", 2},  {u"18.5", 18}, {u"19.5", 20},
      {u"-5  ", -5},   {u"&O77", 63},
  };
  for (const auto& c : cases) {
    const auto object = platform::automation::makeObject<Lyrebox>();
    Lyrebox& control = *object;
    control.record().Year.assign(c.text);
    std::int16_t year = -1;
    ASSERT_EQ(control.get_ID3tag_Year(&year), platform::automation::S_OK);
    EXPECT_EQ(year, c.year);
  }
}

TEST(YearProperty, ATextBeyondSixteenBitsFailsWithOverflowAndLeavesEverythingAlone) {
  for (const std::u16string text : {u"9E99", u"4E4 ", u"1D5 "}) {
    const auto object = platform::automation::makeObject<Lyrebox>();
    Lyrebox& control = *object;
    control.record().Year.assign(text);
    std::int16_t year = 77;
    EXPECT_EQ(control.get_ID3tag_Year(&year), platform::automation::DISP_E_OVERFLOW);
    EXPECT_EQ(year, 77);
    EXPECT_EQ(control.record().Year.text(), text);
  }
}

TEST(YearProperty, SetsWriteLeftAlignedDecimalCutToFourCharacters) {
  struct Case {
    std::int16_t set;
    std::u16string stored;
    std::int16_t read;
  };
  const Case cases[] = {
      {1999, u"1999", 1999}, {5, u"5   ", 5},        {-5, u"-5  ", -5},
      {0, u"0   ", 0},       {12345, u"1234", 1234}, {-1000, u"-100", -100},
      {-999, u"-999", -999}, {32767, u"3276", 3276}, {-32768, u"-327", -327},
  };
  for (const auto& c : cases) {
    const auto object = platform::automation::makeObject<Lyrebox>();
    Lyrebox& control = *object;
    ASSERT_EQ(control.put_ID3tag_Year(c.set), platform::automation::S_OK);
    EXPECT_EQ(control.record().Year.text(), c.stored);
    std::int16_t year = 0;
    ASSERT_EQ(control.get_ID3tag_Year(&year), platform::automation::S_OK);
    EXPECT_EQ(year, c.read);
  }
}

TEST(Notifications, EverySetNotifiesInOrderEvenWhenTheValueIsUnchanged) {
  RecordingSite site;  // outlives the control, which holds a reference
  const auto object = platform::automation::makeObject<Lyrebox>();
  Lyrebox& control = *object;
  control.setSite(platform::automation::ComPtr<platform::automation::IControlSite>(&site));
  control.put_ID3tag_Year(19);
  control.put_ID3tag_Year(19);
  control.put_ID3tag_Genre(255);
  control.put_ID3tag_Artist(u"");
  control.put_MP3_FileName(u"");
  control.put_ID3tag_Comment(u"x");
  control.put_MP3_FileName(u"/no/such/file.mp3");
  const std::vector<std::u16string> expected{u"Tag_Year",     u"Tag_Year",    u"Tag_Genre",   u"Tag_Artist",
                                             u"MP3_FileName", u"Tag_Comment", u"MP3_FileName"};
  EXPECT_EQ(site.names, expected);
}

TEST(Notifications, AFailingNotificationFailsTheSetAfterTheValueWasStored) {
  RecordingSite site;  // outlives the control, which holds a reference
  const auto object = platform::automation::makeObject<Lyrebox>();
  Lyrebox& control = *object;
  site.answer = platform::automation::E_FAIL;
  control.setSite(platform::automation::ComPtr<platform::automation::IControlSite>(&site));
  EXPECT_EQ(control.put_ID3tag_Title(u"Stored"), platform::automation::E_FAIL);
  EXPECT_EQ(control.put_ID3tag_Year(2001), platform::automation::E_FAIL);
  EXPECT_EQ(control.put_ID3tag_Genre(7), platform::automation::E_FAIL);
  std::u16string title;
  control.get_ID3tag_Title(&title);
  EXPECT_EQ(title, u"Stored");
  EXPECT_EQ(control.record().Year.text(), u"2001");
  EXPECT_EQ(control.record().Genre, 7);
  // The load passes over the failure.
  EXPECT_EQ(control.put_MP3_FileName(u""), platform::automation::S_OK);
  EXPECT_EQ(site.names.size(), 4u);
}

TEST(Notifications, ASuccessCodeOtherThanOkStillSucceedsAndNoSiteMeansNobodyIsTold) {
  RecordingSite site;
  const auto object = platform::automation::makeObject<Lyrebox>();
  Lyrebox& control = *object;
  EXPECT_EQ(control.put_ID3tag_Album(u"Alone"), platform::automation::S_OK);
  site.answer = platform::automation::S_FALSE;
  control.setSite(platform::automation::ComPtr<platform::automation::IControlSite>(&site));
  EXPECT_EQ(site.references, 1u);
  EXPECT_EQ(control.put_ID3tag_Album(u"Told"), platform::automation::S_OK);
  control.setSite(nullptr);
  EXPECT_EQ(site.references, 0u);
  EXPECT_EQ(control.put_ID3tag_Album(u"Alone again"), platform::automation::S_OK);
  EXPECT_EQ(site.names.size(), 1u);
}

TEST(NullOutPointers, EveryGetAndSaveTagRefuseThem) {
  const auto object = platform::automation::makeObject<Lyrebox>();
  Lyrebox& control = *object;
  EXPECT_EQ(control.get_MP3_FileName(nullptr), platform::automation::E_POINTER);
  EXPECT_EQ(control.get_ID3tag_Title(nullptr), platform::automation::E_POINTER);
  EXPECT_EQ(control.get_ID3tag_Artist(nullptr), platform::automation::E_POINTER);
  EXPECT_EQ(control.get_ID3tag_Album(nullptr), platform::automation::E_POINTER);
  EXPECT_EQ(control.get_ID3tag_Comment(nullptr), platform::automation::E_POINTER);
  EXPECT_EQ(control.get_ID3tag_Year(nullptr), platform::automation::E_POINTER);
  EXPECT_EQ(control.get_ID3tag_Genre(nullptr), platform::automation::E_POINTER);
  EXPECT_EQ(control.SaveTag(nullptr), platform::automation::E_POINTER);
}

TEST(NewControl, HoldsNoFileNameAndTheNoTagValues) {
  const auto object = platform::automation::makeObject<Lyrebox>();
  Lyrebox& control = *object;
  std::u16string name = u"x", title = u"x";
  std::int16_t year = 0;
  std::uint8_t genre = 0;
  control.get_MP3_FileName(&name);
  control.get_ID3tag_Title(&title);
  control.get_ID3tag_Year(&year);
  control.get_ID3tag_Genre(&genre);
  EXPECT_EQ(name, u"");
  EXPECT_EQ(title, u"");
  EXPECT_EQ(control.record().Year.text(), u"19  ");
  EXPECT_EQ(year, 19);
  EXPECT_EQ(genre, 255);
}

}  // namespace
