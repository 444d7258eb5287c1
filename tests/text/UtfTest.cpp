#include <platform/text/Utf.h>
#include <gtest/gtest.h>

using platform::text::utf16FromUtf8;
using platform::text::utf8FromUtf16;

TEST(Utf, ValidTextConvertsBothWays) {
  struct Case {
    std::string utf8;
    std::u16string utf16;
  };
  const Case cases[] = {
      {"", u""},
      {"a.mp3", u"a.mp3"},
      {"Beyonc\xC3\xA9", u"Beyonc\u00E9"},
      {"\xE2\x82\xAC", u"\u20AC"},
      {"\xF0\x9F\x8E\xB5", u"\U0001F3B5"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(utf16FromUtf8(c.utf8), c.utf16) << c.utf8;
    EXPECT_EQ(utf8FromUtf16(c.utf16), c.utf8) << c.utf8;
  }
}

TEST(Utf, EveryByteSequenceSurvivesTheRoundTrip) {
  const std::string names[] = {
      "caf\xE9.mp3",       // Latin-1 byte, not UTF-8
      "\xC3",              // truncated sequence at the end
      "\xED\xA0\x80",      // encoded surrogate
      "\xC0\xAF",          // overlong slash
      "\xF4\x90\x80\x80",  // beyond U+10FFFF
      "a\xFF\xFE"
      "b",
  };
  for (const auto& name : names) EXPECT_EQ(utf8FromUtf16(utf16FromUtf8(name)), name);
  std::string all;
  for (int b = 1; b < 256; ++b) all.push_back(static_cast<char>(b));
  EXPECT_EQ(utf8FromUtf16(utf16FromUtf8(all)), all);
}

TEST(Utf, InvalidBytesNeverBecomeASlash) {
  // An overlong encoding of '/' must not let a name reach another folder.
  EXPECT_EQ(utf16FromUtf8("\xC0\xAF").find(u'/'), std::u16string::npos);
}

TEST(Utf, FileNameBytesRefuseTextThatCannotNameAFileFaithfully) {
  EXPECT_EQ(platform::text::fileNameBytes(u"/music/a.mp3"), "/music/a.mp3");
  EXPECT_EQ(platform::text::fileNameBytes(utf16FromUtf8("caf\xE9")), "caf\xE9");
  EXPECT_EQ(platform::text::fileNameBytes(std::u16string(u"a\0b", 3)), std::nullopt);
  EXPECT_EQ(platform::text::fileNameBytes(u"a\xD800"), std::nullopt);
  EXPECT_EQ(platform::text::fileNameBytes(u"a\xDC20"), std::nullopt);
}
