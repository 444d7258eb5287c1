#include <platform/automation/PropertyBagText.h>

#include <platform/text/NameCase.h>
#include <platform/text/Utf.h>

#include <charconv>
#include <cstdint>
#include <limits>
#include <unordered_set>

namespace platform::automation {
namespace {

constexpr std::string_view kHexDigits = "0123456789ABCDEF";

bool isKeyChar(char c) {
  return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_';
}
bool isBlank(char c) { return c == ' ' || c == '\t'; }
// C0 and C1 controls and DEL are escaped so the text stays readable and one line long.
bool needsEscape(char16_t u) { return u < 0x20 || (u >= 0x7F && u <= 0x9F); }

bool isWritableKey(std::u16string_view key) {
  if (key.empty()) return false;
  for (char16_t c : key)
    if (c > 0x7F || !isKeyChar(static_cast<char>(c))) return false;
  return true;
}

void appendEscapedUnit(char16_t unit, std::string& out) {
  out += "\\u";
  for (int shift = 12; shift >= 0; shift -= 4) out += kHexDigits[(unit >> shift) & 0xF];
}

void appendQuoted(std::u16string_view text, std::string& out) {
  out += '"';
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char16_t unit = text[i];
    if (unit == u'"' || unit == u'\\') {
      out += '\\';
      out += static_cast<char>(unit);
    } else if (needsEscape(unit)) {
      appendEscapedUnit(unit, out);
    } else if (platform::text::isHighSurrogate(unit) && i + 1 < text.size() &&
               platform::text::isLowSurrogate(text[i + 1])) {
      platform::text::appendUtf8(out, 0x10000 + ((unit - 0xD800u) << 10) + (text[i + 1] - 0xDC00u));
      ++i;
    } else if (platform::text::isHighSurrogate(unit) || platform::text::isLowSurrogate(unit)) {
      appendEscapedUnit(unit, out);  // a lone surrogate has no UTF-8 form
    } else {
      platform::text::appendUtf8(out, unit);
    }
  }
  out += '"';
}

HRESULT appendValue(const Variant& value, std::string& out) {
  switch (value.type()) {
    case VT_EMPTY: out += "empty"; return S_OK;
    case VT_BSTR: appendQuoted(value.bstr(), out); return S_OK;
    case VT_I2: out += "i2 " + std::to_string(value.i2()); return S_OK;
    case VT_I4: out += "i4 " + std::to_string(value.i4()); return S_OK;
    case VT_UI1: out += "ui1 " + std::to_string(value.ui1()); return S_OK;
    case VT_BOOL: out += value.boolean() ? "true" : "false"; return S_OK;
    default: return DISP_E_TYPEMISMATCH;
  }
}

// Reads one line after another; every step either advances or reports the fault.
class LineParser {
 public:
  LineParser(std::string_view line, std::size_t number) : rest_(line), number_(number) {}

  std::optional<BagTextError> parse(BagEntry& entry) {
    if (!readKey(entry.key)) return fault("a line must start with a key of letters, digits or underscores");
    skipBlanks();
    if (!take('=')) return fault("expected \"=\" after the key");
    skipBlanks();
    if (auto error = readValue(entry.value)) return error;
    skipBlanks();
    if (!rest_.empty()) return fault("unexpected text after the value");
    return std::nullopt;
  }

  BagTextError fault(std::string reason) const { return {number_, key_, std::move(reason)}; }

 private:
  bool take(char c) {
    if (rest_.empty() || rest_.front() != c) return false;
    rest_.remove_prefix(1);
    return true;
  }
  // The run of letters, digits and underscores that starts the rest, taken off it.
  std::string_view takeWord() {
    std::size_t length = 0;
    while (length < rest_.size() && isKeyChar(rest_[length])) ++length;
    const std::string_view word = rest_.substr(0, length);
    rest_.remove_prefix(length);
    return word;
  }
  void skipBlanks() {
    while (!rest_.empty() && isBlank(rest_.front())) rest_.remove_prefix(1);
  }

  bool readKey(std::u16string& key) {
    const std::string_view word = takeWord();
    if (word.empty()) return false;
    key_ = std::string(word);
    key.assign(word.begin(), word.end());
    return true;
  }

  std::optional<BagTextError> readValue(Variant& value) {
    if (take('"')) return readString(value);
    const std::string_view word = takeWord();
    if (word == "i2") return readInteger<std::int16_t>(value, word, &Variant::fromI2);
    if (word == "i4") return readInteger<std::int32_t>(value, word, &Variant::fromI4);
    if (word == "ui1") return readInteger<std::uint8_t>(value, word, &Variant::fromUI1);
    if (word == "true") return value = Variant::fromBool(true), std::nullopt;
    if (word == "false") return value = Variant::fromBool(false), std::nullopt;
    if (word == "empty") return value = Variant(), std::nullopt;
    if (word.empty() && rest_.empty()) return fault("the value is missing");
    return fault("unknown value; expected a quoted string, i2, i4 or ui1 and a number, true, false or empty");
  }

  template <class Integer>
  std::optional<BagTextError> readInteger(Variant& value, std::string_view tag, Variant (*make)(Integer)) {
    if (rest_.empty() || !isBlank(rest_.front()))
      return fault("expected a blank and a whole number after " + std::string(tag));
    skipBlanks();
    std::size_t length = 0;
    if (length < rest_.size() && rest_[length] == '-') ++length;
    while (length < rest_.size() && rest_[length] >= '0' && rest_[length] <= '9') ++length;
    std::int64_t number = 0;
    const auto [end, error] = std::from_chars(rest_.data(), rest_.data() + length, number);
    if (length == 0 || error == std::errc::invalid_argument || end != rest_.data() + length)
      return fault("expected a whole number after " + std::string(tag));
    if (error == std::errc::result_out_of_range || number < std::numeric_limits<Integer>::min() ||
        number > std::numeric_limits<Integer>::max())
      return fault("the number does not fit " + std::string(tag));
    rest_.remove_prefix(length);
    value = make(static_cast<Integer>(number));
    return std::nullopt;
  }

  std::optional<BagTextError> readString(Variant& value) {
    std::u16string text;
    while (true) {
      if (rest_.empty()) return fault("the string is not closed with \"");
      const auto byte = static_cast<unsigned char>(rest_.front());
      if (byte == '"') break;
      if (byte == '\\') {
        rest_.remove_prefix(1);
        if (auto error = readEscape(text)) return error;
      } else if (byte < 0x20 || byte == 0x7F) {
        return fault("a control character in a string must be written as \\uXXXX");
      } else if (byte < 0x80) {
        text += static_cast<char16_t>(byte);
        rest_.remove_prefix(1);
      } else if (auto error = readUtf8(text)) {
        return error;
      }
    }
    rest_.remove_prefix(1);
    value = Variant::fromBstr(std::move(text));
    return std::nullopt;
  }

  std::optional<BagTextError> readEscape(std::u16string& text) {
    if (take('"')) return text += u'"', std::nullopt;
    if (take('\\')) return text += u'\\', std::nullopt;
    if (!take('u')) return fault("unknown escape in a string; use \\\", \\\\ or \\uXXXX");
    char16_t unit = 0;
    for (int i = 0; i < 4; ++i) {
      const int digit = rest_.empty() ? -1 : hexValue(rest_.front());
      if (digit < 0) return fault("\\u must be followed by four hexadecimal digits");
      unit = static_cast<char16_t>(unit * 16 + digit);
      rest_.remove_prefix(1);
    }
    text += unit;
    return std::nullopt;
  }

  static int hexValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
  }

  // One character of strict UTF-8: no overlong forms, no encoded surrogates, nothing
  // beyond U+10FFFF (those are written as \uXXXX escapes instead).
  std::optional<BagTextError> readUtf8(std::u16string& text) {
    char32_t codePoint = 0;
    const std::size_t length = platform::text::decodeUtf8Character(rest_, 0, codePoint);
    if (length == 0) return fault("the text is not valid UTF-8");
    platform::text::appendUtf16(text, codePoint);
    rest_.remove_prefix(length);
    return std::nullopt;
  }

  std::string_view rest_;
  std::size_t number_;
  std::string key_;
};

// Keys in the text form are ASCII, so folding ASCII letters is sameBagKey's rule.
std::string foldedKey(std::u16string_view key) {
  std::string folded;
  for (char16_t c : key) folded += static_cast<char>(platform::text::foldAsciiCase(c));
  return folded;
}

bool isSkipped(std::string_view line) {
  const std::size_t first = line.find_first_not_of(" \t");
  return first == std::string_view::npos || line[first] == '#';
}

}  // namespace

std::string BagTextError::message() const {
  std::string text = "line " + std::to_string(line);
  if (!key.empty()) text += ", key \"" + key + "\"";
  return text + ": " + reason;
}

ParsedBagText parseBagText(std::string_view text) {
  ParsedBagText result;
  if (text.starts_with("\xEF\xBB\xBF")) text.remove_prefix(3);  // a byte-order mark some editors add
  std::unordered_set<std::string> seen;
  std::size_t number = 0;
  while (!text.empty()) {
    ++number;
    const std::size_t end = text.find('\n');
    std::string_view line = text.substr(0, end);
    text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);
    if (line.ends_with('\r')) line.remove_suffix(1);
    if (isSkipped(line)) continue;

    LineParser parser(line, number);
    BagEntry entry;
    auto error = parser.parse(entry);
    if (!error && !seen.insert(foldedKey(entry.key)).second) error = parser.fault("the key appears twice");
    if (error) return {{}, std::move(error)};
    result.entries.push_back(std::move(entry));
  }
  return result;
}

HRESULT writeBagText(const BagEntries& entries, std::string* text) {
  if (!text) return E_POINTER;
  std::string out;
  std::unordered_set<std::string> seen;
  for (const BagEntry& entry : entries) {
    if (!isWritableKey(entry.key) || !seen.insert(foldedKey(entry.key)).second) return E_INVALIDARG;
    out.append(entry.key.begin(), entry.key.end());
    out += " = ";
    if (const HRESULT hr = appendValue(entry.value, out); failed(hr)) return hr;
    out += "\r\n";
  }
  *text = std::move(out);
  return S_OK;
}

}  // namespace platform::automation
