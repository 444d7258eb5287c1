#include <tagcomponent/LenientNumber.h>

#include <locale.h>
#include <stdlib.h>

#include <cmath>
#include <string>

namespace tagcomponent {
namespace {

// Walks the text and steps over the characters that never count.
class SkippingCursor {
 public:
  explicit SkippingCursor(std::u16string_view text) : text_(text) { skip(); }
  char16_t peek() const { return at_ < text_.size() ? text_[at_] : u'\0'; }
  bool atEnd() const { return at_ >= text_.size(); }
  void advance() {
    ++at_;
    skip();
  }

 private:
  void skip() {
    while (at_ < text_.size() && (text_[at_] == u' ' || text_[at_] == u'\t' || text_[at_] == u'\n')) ++at_;
  }
  std::u16string_view text_;
  std::size_t at_ = 0;
};

bool isDecimalDigit(char16_t c) { return c >= u'0' && c <= u'9'; }

int digitValue(char16_t c, int base) {
  int value = base;
  if (c >= u'0' && c <= u'9') value = c - u'0';
  if (c >= u'a' && c <= u'f') value = c - u'a' + 10;
  if (c >= u'A' && c <= u'F') value = c - u'A' + 10;
  return value < base ? value : -1;
}

double readRadixDigits(SkippingCursor& cursor, int base) {
  double value = 0;
  for (int digit; !cursor.atEnd() && (digit = digitValue(cursor.peek(), base)) >= 0; cursor.advance()) {
    value = value * base + digit;
  }
  return value;
}

// Converting the collected literal must not depend on the process's locale (a
// host may set one whose decimal point is a comma).
double parseDecimalLiteral(const std::string& literal) {
  static const locale_t cLocale = newlocale(LC_ALL_MASK, "C", locale_t{});
  return strtod_l(literal.c_str(), nullptr, cLocale);
}

double readDecimal(SkippingCursor& cursor) {
  std::string literal;
  if (cursor.peek() == u'+' || cursor.peek() == u'-') {
    literal += static_cast<char>(cursor.peek());
    cursor.advance();
  }
  bool seenDigit = false;
  bool seenPoint = false;
  for (char16_t c = cursor.peek(); !cursor.atEnd(); c = cursor.peek()) {
    if (isDecimalDigit(c)) {
      seenDigit = true;
    } else if (c != u'.' || seenPoint) {
      break;
    } else {
      seenPoint = true;
    }
    literal += static_cast<char>(c);
    cursor.advance();
  }
  if (!seenDigit) return 0;

  const char16_t marker = cursor.peek();
  if (marker == u'E' || marker == u'e' || marker == u'D' || marker == u'd') {
    cursor.advance();
    std::string exponent = "e";
    if (cursor.peek() == u'+' || cursor.peek() == u'-') {
      exponent += static_cast<char>(cursor.peek());
      cursor.advance();
    }
    bool exponentDigits = false;
    for (; !cursor.atEnd() && isDecimalDigit(cursor.peek()); cursor.advance()) {
      exponent += static_cast<char>(cursor.peek());
      exponentDigits = true;
    }
    if (exponentDigits) literal += exponent;
  }
  return parseDecimalLiteral(literal);
}

}  // namespace

double readLenientNumber(std::u16string_view text) {
  SkippingCursor cursor(text);
  if (cursor.peek() != u'&') return readDecimal(cursor);
  cursor.advance();
  const char16_t radix = cursor.peek();
  if (radix == u'H' || radix == u'h') {
    cursor.advance();
    return readRadixDigits(cursor, 16);
  }
  if (radix == u'O' || radix == u'o') {
    cursor.advance();
    return readRadixDigits(cursor, 8);
  }
  return 0;
}

double roundHalfToEven(double value) {
  if (std::fabs(value - std::trunc(value)) == 0.5) return 2.0 * std::round(value / 2.0);
  return std::round(value);
}

std::optional<std::int16_t> roundToInt16(double value) {
  const double rounded = roundHalfToEven(value);
  if (!(rounded >= -32768.0 && rounded <= 32767.0)) return std::nullopt;
  return static_cast<std::int16_t>(rounded);
}

}  // namespace tagcomponent
