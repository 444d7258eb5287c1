#include <platform/text/NameCase.h>

#include <type_traits>

#include <platform/text/Utf.h>

namespace platform::text {
namespace {

bool isEven(char32_t c) { return c % 2 == 0; }

// Latin Extended-A pairs each capital with the small letter after it; the runs
// differ in whether the capitals sit on even or odd code points.
char32_t foldLatinExtendedA(char32_t c) {
  const bool evenCapitals = (c >= 0x100 && c <= 0x12F) || (c >= 0x132 && c <= 0x137) || (c >= 0x14A && c <= 0x177);
  const bool oddCapitals = (c >= 0x139 && c <= 0x148) || (c >= 0x179 && c <= 0x17E);
  if ((evenCapitals && isEven(c)) || (oddCapitals && !isEven(c))) return c + 1;
  return c == 0x178 ? char32_t{0xFF} : c;  // Ÿ pairs with ÿ of Latin-1
}

// The character at `pos`, moving past it; a byte outside valid UTF-8 is itself.
char32_t nextCharacter(std::string_view bytes, std::size_t& pos) {
  char32_t c = 0;
  if (const std::size_t length = decodeUtf8Character(bytes, pos, c)) {
    pos += length;
    return c;
  }
  return 0xDC00 + static_cast<unsigned char>(bytes[pos++]);
}

template <class Char>
bool equalIgnoringAsciiCase(std::basic_string_view<Char> a, std::basic_string_view<Char> b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    const auto x = static_cast<std::make_unsigned_t<Char>>(a[i]), y = static_cast<std::make_unsigned_t<Char>>(b[i]);
    if (foldAsciiCase(x) != foldAsciiCase(y)) return false;
  }
  return true;
}

}  // namespace

char32_t foldCase(char32_t c) {
  if (c < 0x80) return foldAsciiCase(c);
  if (c >= 0xC0 && c <= 0xDE && c != 0xD7) return c + 32;  // À..Þ without ×
  if (c >= 0x100 && c <= 0x17E) return foldLatinExtendedA(c);
  if (c >= 0x391 && c <= 0x3AB && c != 0x3A2) return c + 32;  // Α..Ϋ
  if (c >= 0x410 && c <= 0x42F) return c + 32;                // А..Я
  if (c >= 0x400 && c <= 0x40F) return c + 80;                // Ѐ..Џ
  return c;
}

bool sameNameIgnoringCase(std::u16string_view a, std::u16string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i)
    if (foldCase(a[i]) != foldCase(b[i])) return false;
  return true;
}

bool sameIgnoringAsciiCase(std::string_view a, std::string_view b) { return equalIgnoringAsciiCase(a, b); }

bool sameIgnoringAsciiCase(std::u16string_view a, std::u16string_view b) { return equalIgnoringAsciiCase(a, b); }

bool foldedIfAscii(std::string_view name, std::string& folded) {
  folded.assign(name);
  for (char& c : folded) {
    if (static_cast<unsigned char>(c) >= 0x80) return false;
    c = static_cast<char>(foldAsciiCase(static_cast<unsigned char>(c)));
  }
  return true;
}

bool inListOrder(std::string_view a, std::string_view b) {
  std::size_t atA = 0, atB = 0;
  while (atA < a.size() && atB < b.size()) {
    // Most names are ASCII: no decoding for them, as a sort compares often.
    const auto byteA = static_cast<unsigned char>(a[atA]), byteB = static_cast<unsigned char>(b[atB]);
    const bool ascii = byteA < 0x80 && byteB < 0x80;
    const char32_t foldedA = ascii ? foldAsciiCase(byteA) : foldCase(nextCharacter(a, atA));
    const char32_t foldedB = ascii ? foldAsciiCase(byteB) : foldCase(nextCharacter(b, atB));
    if (ascii) ++atA, ++atB;
    if (foldedA != foldedB) return foldedA < foldedB;
  }
  if ((atA < a.size()) != (atB < b.size())) return atB < b.size();
  return a < b;  // compares as unsigned bytes
}

}  // namespace platform::text
