#include <platform/tools/Utf16Text.h>

#include <platform/text/Utf.h>

#include <cstdint>
#include <cstdio>

namespace platform::tools {
namespace {

using platform::text::appendUtf16;
using platform::text::appendUtf8;
using platform::text::isHighSurrogate;
using platform::text::isLowSurrogate;

int hexValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

std::optional<char16_t> readHexUnit(std::string_view text, std::size_t pos) {
  if (pos + 4 > text.size()) return std::nullopt;
  unsigned value = 0;
  for (std::size_t i = pos; i < pos + 4; ++i) {
    const int digit = hexValue(text[i]);
    if (digit < 0) return std::nullopt;
    value = value * 16 + static_cast<unsigned>(digit);
  }
  return static_cast<char16_t>(value);
}

std::optional<std::u16string> fail(std::string* error, const char* what) {
  if (error) *error = what;
  return std::nullopt;
}

}  // namespace

std::string jsonStringLiteral(std::u16string_view text) {
  std::string out = "\"";
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char16_t unit = text[i];
    switch (unit) {
      case u'"': out += "\\\""; continue;
      case u'\\': out += "\\\\"; continue;
      case u'\n': out += "\\n"; continue;
      case u'\r': out += "\\r"; continue;
      case u'\t': out += "\\t"; continue;
      default: break;
    }
    if (isHighSurrogate(unit) && i + 1 < text.size() && isLowSurrogate(text[i + 1])) {
      appendUtf8(out, 0x10000 + ((static_cast<char32_t>(unit) - 0xD800) << 10) + (text[i + 1] - 0xDC00));
      ++i;
    } else if (unit < 0x20 || unit == 0x7F || isHighSurrogate(unit) || isLowSurrogate(unit)) {
      char escape[7];
      std::snprintf(escape, sizeof escape, "\\u%04X", static_cast<unsigned>(unit));
      out += escape;
    } else {
      appendUtf8(out, unit);
    }
  }
  return out + "\"";
}

std::optional<std::u16string> parseJsonStringLiteral(std::string_view literal, std::string* error) {
  if (literal.size() < 2 || literal.front() != '"') return fail(error, "a JSON string must start with '\"'");
  std::u16string out;
  std::size_t pos = 1;
  while (pos < literal.size()) {
    const char c = literal[pos];
    if (c == '"') {
      if (pos + 1 != literal.size()) return fail(error, "text after the closing quote of a JSON string");
      return out;
    }
    if (static_cast<unsigned char>(c) < 0x20) return fail(error, "control character in a JSON string; use \\u");
    if (c != '\\') {
      char32_t decoded = 0;
      const std::size_t length = platform::text::decodeUtf8Character(literal, pos, decoded);
      if (length == 0) return fail(error, "malformed UTF-8 in a JSON string");
      appendUtf16(out, decoded);
      pos += length;
      continue;
    }
    if (pos + 1 >= literal.size()) break;
    const char escaped = literal[pos + 1];
    pos += 2;
    switch (escaped) {
      case '"': out += u'"'; break;
      case '\\': out += u'\\'; break;
      case '/': out += u'/'; break;
      case 'b': out += u'\b'; break;
      case 'f': out += u'\f'; break;
      case 'n': out += u'\n'; break;
      case 'r': out += u'\r'; break;
      case 't': out += u'\t'; break;
      case 'u': {
        const auto unit = readHexUnit(literal, pos);
        if (!unit) return fail(error, "\\u needs four hex digits");
        out += *unit;
        pos += 4;
        break;
      }
      default: return fail(error, "unknown escape in a JSON string");
    }
  }
  return fail(error, "JSON string not closed");
}

}  // namespace platform::tools
