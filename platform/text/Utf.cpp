#include <platform/text/Utf.h>

#include <algorithm>
#include <cstddef>
#include <cstdint>

namespace platform::text {
namespace {
constexpr char32_t kReplacement = 0xFFFD;

template <class Char>
std::size_t asciiPrefixLength(std::basic_string_view<Char> text) {
  std::size_t length = 0;
  while (length < text.size() && static_cast<std::uint32_t>(text[length]) < 0x80) ++length;
  return length;
}
}  // namespace

std::size_t decodeUtf8Character(std::string_view s, std::size_t pos, char32_t& cp) {
  const auto byte = [&](std::size_t i) { return static_cast<std::uint8_t>(s[i]); };
  const std::uint8_t lead = byte(pos);
  std::size_t length = 0;
  char32_t min = 0;
  if (lead < 0x80) {
    cp = lead;
    return 1;
  } else if ((lead & 0xE0) == 0xC0) {
    length = 2, cp = lead & 0x1F, min = 0x80;
  } else if ((lead & 0xF0) == 0xE0) {
    length = 3, cp = lead & 0x0F, min = 0x800;
  } else if ((lead & 0xF8) == 0xF0) {
    length = 4, cp = lead & 0x07, min = 0x10000;
  } else {
    return 0;
  }
  if (pos + length > s.size()) return 0;
  for (std::size_t i = 1; i < length; ++i) {
    if ((byte(pos + i) & 0xC0) != 0x80) return 0;
    cp = (cp << 6) | (byte(pos + i) & 0x3F);
  }
  if (cp < min || cp > 0x10FFFF || isHighSurrogate(cp) || isLowSurrogate(cp)) return 0;
  return length;
}

void appendUtf16(std::u16string& out, char32_t cp) {
  if (cp < 0x10000) {
    out.push_back(static_cast<char16_t>(cp));
  } else {
    cp -= 0x10000;
    out.push_back(static_cast<char16_t>(0xD800 + (cp >> 10)));
    out.push_back(static_cast<char16_t>(0xDC00 + (cp & 0x3FF)));
  }
}

void appendUtf8(std::string& out, char32_t cp) {
  if (cp < 0x80) {
    out.push_back(static_cast<char>(cp));
  } else if (cp < 0x800) {
    out.push_back(static_cast<char>(0xC0 | (cp >> 6)));
    out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
  } else if (cp < 0x10000) {
    out.push_back(static_cast<char>(0xE0 | (cp >> 12)));
    out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
  } else {
    out.push_back(static_cast<char>(0xF0 | (cp >> 18)));
    out.push_back(static_cast<char>(0x80 | ((cp >> 12) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
  }
}

std::u16string utf16FromUtf8(std::string_view bytes) {
  // Most names are ASCII: that part is copied a unit a byte, without decoding.
  const std::size_t ascii = asciiPrefixLength(bytes);
  std::u16string out(bytes.begin(), bytes.begin() + static_cast<std::ptrdiff_t>(ascii));
  if (ascii == bytes.size()) return out;
  out.reserve(bytes.size());
  for (std::size_t pos = ascii; pos < bytes.size();) {
    char32_t cp = 0;
    if (const std::size_t length = decodeUtf8Character(bytes, pos, cp)) {
      appendUtf16(out, cp);
      pos += length;
    } else {
      out.push_back(static_cast<char16_t>(0xDC00 + static_cast<std::uint8_t>(bytes[pos])));
      ++pos;
    }
  }
  return out;
}

std::string utf8FromUtf16(std::u16string_view text) {
  const std::size_t ascii = asciiPrefixLength(text);
  std::string out(ascii, '\0');
  std::transform(text.begin(), text.begin() + static_cast<std::ptrdiff_t>(ascii), out.begin(),
                 [](char16_t unit) { return static_cast<char>(unit); });
  if (ascii == text.size()) return out;
  out.reserve(text.size() + (text.size() - ascii) * 2);
  for (std::size_t i = ascii; i < text.size(); ++i) {
    const char16_t unit = text[i];
    if (unit >= 0xD800 && unit <= 0xDBFF && i + 1 < text.size() && text[i + 1] >= 0xDC00 && text[i + 1] <= 0xDFFF) {
      appendUtf8(out, 0x10000 + ((char32_t(unit) - 0xD800) << 10) + (char32_t(text[i + 1]) - 0xDC00));
      ++i;
    } else if (unit >= 0xDC80 && unit <= 0xDCFF) {
      out.push_back(static_cast<char>(unit - 0xDC00));  // an escaped byte
    } else if (unit >= 0xD800 && unit <= 0xDFFF) {
      appendUtf8(out, kReplacement);
    } else {
      appendUtf8(out, unit);
    }
  }
  return out;
}

std::optional<std::u16string> strictUtf16FromUtf8(std::string_view bytes) {
  std::u16string out;
  out.reserve(bytes.size());
  for (std::size_t pos = 0; pos < bytes.size();) {
    char32_t cp = 0;
    const std::size_t length = decodeUtf8Character(bytes, pos, cp);
    if (length == 0) return std::nullopt;
    appendUtf16(out, cp);
    pos += length;
  }
  return out;
}

std::optional<std::string> fileNameBytes(std::u16string_view name) {
  // The common name, ASCII without NUL, is checked and copied in one pass.
  std::string ascii(name.size(), '\0');
  std::size_t copied = 0;
  for (; copied < name.size() && name[copied] < 0x80 && name[copied] != 0; ++copied)
    ascii[copied] = static_cast<char>(name[copied]);
  if (copied == name.size()) return ascii;
  for (std::size_t i = 0; i < name.size(); ++i) {
    const char16_t unit = name[i];
    if (unit == 0) return std::nullopt;
    if (isHighSurrogate(unit)) {
      if (i + 1 >= name.size() || !isLowSurrogate(name[i + 1])) return std::nullopt;
      ++i;
    } else if (isLowSurrogate(unit) && !(unit >= 0xDC80 && unit <= 0xDCFF)) {
      return std::nullopt;
    }
  }
  return utf8FromUtf16(name);
}

}  // namespace platform::text
