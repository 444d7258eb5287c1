#include <text/NameCase.h>
#include <text/Utf.h>
#include <gtest/gtest.h>

TEST(NameCase, LatinLettersFoldButNothingElse) {
  struct Case {
    std::u16string a, b;
    bool same;
  };
  const Case cases[] = {
      {u"Genre", u"gENRE", true},   {u"\u00C4RGER", u"\u00E4rger", true}, {u"a\u00D7", u"a\u00F7", false},
      {u"Genre", u"Genres", false}, {u"Stra\u00DFe", u"STRASSE", false},  {u"[", u"{", false},
  };
  for (const Case& c : cases) EXPECT_EQ(platform::text::sameNameIgnoringCase(c.a, c.b), c.same) << platform::text::utf8FromUtf16(c.a);
}

