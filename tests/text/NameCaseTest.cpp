#include <platform/text/NameCase.h>
#include <platform/text/Utf.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

TEST(NameCase, CapitalsFoldToTheirSmallLettersAndNothingElse) {
  struct Case {
    std::u16string a, b;
    bool same;
  };
  const Case cases[] = {
      {u"Genre", u"gENRE", true},
      {u"\u00C4RGER", u"\u00E4rger", true},
      {u"a\u00D7", u"a\u00F7", false},
      {u"Genre", u"Genres", false},
      {u"Stra\u00DFe", u"STRASSE", false},
      {u"[", u"{", false},
      {u"\u0141\u00F3d\u017A", u"\u0142\u00D3D\u0179", true},
      {u"\u0416\u0401", u"\u0436\u0451", true},
      {u"\u03A3", u"\u03C3", true},
      {u"I", u"\u0131", false},
  };
  for (const Case& c : cases)
    EXPECT_EQ(platform::text::sameNameIgnoringCase(c.a, c.b), c.same) << platform::text::utf8FromUtf16(c.a);
}

// A name folds in one step only while it is all ASCII; any other byte leaves the
// folding to the slower, exact comparison.
TEST(NameCase, OnlyAllAsciiNamesFoldInOneStep) {
  struct Case {
    std::string name;
    bool ascii;
    std::string folded;  // when ascii
  };
  const Case cases[] = {
      {"Artist Name", true, "artist name"}, {"AZ[`az@", true, "az[`az@"}, {"", true, ""},
      {"\xC3\x84rger", false, ""},          {"abc\xFF", false, ""},
  };
  for (const Case& c : cases) {
    std::string folded;
    EXPECT_EQ(platform::text::foldedIfAscii(c.name, folded), c.ascii) << c.name;
    if (c.ascii) {
      EXPECT_EQ(folded, c.folded);
    }
  }
}

// Lists and runs go in one order: case does not count, digits and punctuation
// sort by their code, letters beyond ASCII after it, and equal folding is broken
// by the bytes so that no two names are ever tied.
TEST(NameCase, ListOrderIgnoresCaseAndIsTotal) {
  const std::vector<std::string> ordered = {
      ".hidden",     "10 Ten.mp3",        "9 Nine.mp3",        "a.mp3",      "B lower.mp3", "b lower.mp3",
      "C upper.mp3", "\xC3\x89t\xC3\xA9", "\xC3\xA9t\xC3\xA9", "\xD0\x96uk", "\xD0\xB6uk",
      "\xFF broken",  // not UTF-8: after every character of the first plane's letters used here
  };
  for (std::size_t i = 0; i < ordered.size(); ++i)
    for (std::size_t j = 0; j < ordered.size(); ++j)
      EXPECT_EQ(platform::text::inListOrder(ordered[i], ordered[j]), i < j) << ordered[i] << " / " << ordered[j];
}
