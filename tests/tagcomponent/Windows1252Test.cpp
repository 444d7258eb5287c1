#include <tagcomponent/Windows1252.h>

#include <gtest/gtest.h>

namespace {

using tagcomponent::charFromWindows1252;
using tagcomponent::windows1252FromChar;

TEST(Windows1252, EveryByteComesBackUnchanged) {
  for (int byte = 0; byte <= 255; ++byte) {
    const auto b = static_cast<std::uint8_t>(byte);
    EXPECT_EQ(windows1252FromChar(charFromWindows1252(b)), b) << "byte " << byte;
  }
}

TEST(Windows1252, BytesMapToTheirCharacters) {
  struct Case {
    std::uint8_t byte;
    char16_t character;
  };
  const Case cases[] = {
      {0x00, u'\0'},  {0x41, u'A'},   {0x7F, 0x007F}, {0x80, 0x20AC}, {0x81, 0x0081},
      {0x8A, 0x0160}, {0x8D, 0x008D}, {0x8F, 0x008F}, {0x90, 0x0090}, {0x92, 0x2019},
      {0x9D, 0x009D}, {0x9F, 0x0178}, {0xA0, 0x00A0}, {0xE9, 0x00E9}, {0xFF, 0x00FF},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(charFromWindows1252(c.byte), c.character) << "byte " << int(c.byte);
    EXPECT_EQ(windows1252FromChar(c.character), c.byte) << "byte " << int(c.byte);
  }
}

TEST(Windows1252, CharactersWithoutAByteBecomeQuestionMarks) {
  // U+0080 and U+009F are C1 controls whose bytes Windows-1252 gives to other characters.
  for (char16_t c :
       {char16_t{0x0080}, char16_t{0x009F}, char16_t{0x0100}, char16_t{0x4E2D}, char16_t{0xD83D}, char16_t{0xFFFD}}) {
    EXPECT_EQ(windows1252FromChar(c), '?') << "U+" << std::hex << int(c);
  }
}

}  // namespace
