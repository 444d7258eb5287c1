#include <platform/automation/PropertyBagText.h>

#include <gtest/gtest.h>

#include <string>

namespace {

using namespace platform::automation;
using namespace std::string_literals;

BagEntries everyValueKind() {
  const std::u16string awkward =
      u"NUL\0 quote\" backslash\\ tab\t CR\r LF\n DEL\x7f C1\x85 \u00e9\u20ac "
      u"pair\U0001F3B5 lone high\xD800 lone low\xDC00 "s +
      u"\xDBFF";  // a high surrogate that ends the text
  return {{u"Text", Variant::fromBstr(awkward)},
          {u"Blank", Variant::fromBstr(u"")},
          {u"Spaces", Variant::fromBstr(std::u16string(30, u' '))},
          {u"SmallestI2", Variant::fromI2(-32768)},
          {u"LargestI2", Variant::fromI2(32767)},
          {u"SmallestI4", Variant::fromI4(-2147483647 - 1)},
          {u"LargestI4", Variant::fromI4(2147483647)},
          {u"ByteZero", Variant::fromUI1(0)},
          {u"Byte255", Variant::fromUI1(255)},
          {u"Yes", Variant::fromBool(true)},
          {u"No", Variant::fromBool(false)},
          {u"_Nothing_9", Variant()}};
}

TEST(BagText, EveryValueKindSurvivesWritingAndParsing) {
  const BagEntries entries = everyValueKind();
  std::string text;
  ASSERT_EQ(writeBagText(entries, &text), S_OK);
  const ParsedBagText parsed = parseBagText(text);
  ASSERT_FALSE(parsed.error) << parsed.error->message();
  EXPECT_EQ(parsed.entries, entries);
}

TEST(BagText, WritesOneReadableLinePerEntry) {
  std::string text;
  ASSERT_EQ(writeBagText({{u"tag_year", Variant::fromBstr(u"19\u00e9\"")}, {u"_extentx", Variant::fromI4(873)}}, &text),
            S_OK);
  EXPECT_EQ(text, "tag_year = \"19\xC3\xA9\\\"\"\r\n_extentx = i4 873\r\n");
}

TEST(BagText, AcceptsCommentsBlankLinesAnyLineEndAndFreeBlanks) {
  const ParsedBagText parsed =
      parseBagText("\xEF\xBB\xBF# saved by hand\n\n  \t\r\nA=i2   -5\r\nb\t=  \"\\u00e9\\\\\"  \nc = false");
  ASSERT_FALSE(parsed.error) << parsed.error->message();
  const BagEntries expected = {
      {u"A", Variant::fromI2(-5)}, {u"b", Variant::fromBstr(u"\u00e9\\")}, {u"c", Variant::fromBool(false)}};
  EXPECT_EQ(parsed.entries, expected);
}

TEST(BagText, RefusesMalformedTextNamingLineAndKey) {
  const struct {
    std::string text;
    std::size_t line;
    std::string key;
    std::string reasonPart;
  } cases[] = {
      {"= \"x\"", 1, "", "start with a key"},
      {"a \"x\"", 1, "a", "\"=\""},
      {"ok = true\n\n# note\nbad key = i2 1", 4, "bad", "\"=\""},
      {"k\xC3\xA9y = true", 1, "k", "\"=\""},
      {"a =", 1, "a", "missing"},
      {"a = yes", 1, "a", "unknown value"},
      {"a = True", 1, "a", "unknown value"},
      {"a = \"x", 1, "a", "not closed"},
      {"a = \"x\" y", 1, "a", "after the value"},
      {"a = \"x\\q\"", 1, "a", "unknown escape"},
      {"a = \"\\u12\"", 1, "a", "four hexadecimal"},
      {"a = \"\\u12G4\"", 1, "a", "four hexadecimal"},
      {"a = \"tab\there\"", 1, "a", "control character"},
      {"a = \"\xC3\"", 1, "a", "UTF-8"},
      {"a = \"\xC0\xAF\"", 1, "a", "UTF-8"},
      {"a = \"\xED\xA0\x80\"", 1, "a", "UTF-8"},
      {"a = \"\xF4\x90\x80\x80\"", 1, "a", "UTF-8"},
      {"a = \"\xFF\"", 1, "a", "UTF-8"},
      {"a = i2", 1, "a", "whole number"},
      {"a = i2x 1", 1, "a", "unknown value"},
      {"a = i4 -", 1, "a", "whole number"},
      {"a = i4 12x", 1, "a", "after the value"},
      {"a = i2 32768", 1, "a", "does not fit i2"},
      {"a = ui1 -1", 1, "a", "does not fit ui1"},
      {"a = ui1 256", 1, "a", "does not fit ui1"},
      {"a = i4 99999999999999999999999", 1, "a", "does not fit i4"},
      {"x = true\r\nTag_Year = i2 1\nTAG_YEAR = i2 2", 3, "TAG_YEAR", "twice"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    const ParsedBagText parsed = parseBagText(c.text);
    ASSERT_TRUE(parsed.error);
    EXPECT_TRUE(parsed.entries.empty());
    EXPECT_EQ(parsed.error->line, c.line);
    EXPECT_EQ(parsed.error->key, c.key);
    EXPECT_NE(parsed.error->reason.find(c.reasonPart), std::string::npos) << parsed.error->reason;
    const std::string expectedStart =
        "line " + std::to_string(c.line) + (c.key.empty() ? "" : ", key \"" + c.key + "\"") + ": ";
    EXPECT_TRUE(parsed.error->message().starts_with(expectedStart)) << parsed.error->message();
  }
}

TEST(BagText, WriterRefusesWhatTheTextCannotHoldAndLeavesTheOutputAlone) {
  const struct {
    BagEntries entries;
    HRESULT expected;
  } cases[] = {
      {{{u"Parent", Variant::fromDispatch(nullptr)}}, DISP_E_TYPEMISMATCH},
      {{{u"two words", Variant::fromI2(1)}}, E_INVALIDARG},
      {{{u"", Variant::fromI2(1)}}, E_INVALIDARG},
      {{{u"caf\u00e9", Variant::fromI2(1)}}, E_INVALIDARG},
      {{{u"Tag_Year", Variant::fromI2(1)}, {u"tag_year", Variant::fromI2(2)}}, E_INVALIDARG},
  };
  for (const auto& c : cases) {
    std::string text = "kept";
    EXPECT_EQ(writeBagText(c.entries, &text), c.expected);
    EXPECT_EQ(text, "kept");
  }
}

}  // namespace
