#include <platform/automation/Variant.h>

#include <platform/text/NameCase.h>

#include <limits>
#include <optional>

namespace platform::automation {
namespace {

bool isBlank(char16_t c) { return c == u' ' || c == u'\t' || c == u'\r' || c == u'\n'; }

std::u16string_view trimBlanks(std::u16string_view text) {
  while (!text.empty() && isBlank(text.front())) text.remove_prefix(1);
  while (!text.empty() && isBlank(text.back())) text.remove_suffix(1);
  return text;
}

// A number read from text: its value, or the mark that it lies beyond any integer
// kind we convert to (the caller then answers DISP_E_OVERFLOW).
struct ParsedNumber {
  std::int64_t value = 0;
  bool tooLarge = false;
};

constexpr std::uint64_t kLargest = 1'000'000'000'000ULL;  // far beyond every target kind

// Reads [sign] digits [. digits] between blanks, rounding the decimals half to even.
std::optional<ParsedNumber> parseNumber(std::u16string_view text) {
  text = trimBlanks(text);
  bool negative = false;
  if (!text.empty() && (text.front() == u'+' || text.front() == u'-')) {
    negative = text.front() == u'-';
    text.remove_prefix(1);
  }
  std::uint64_t magnitude = 0;
  bool tooLarge = false;
  std::size_t digits = 0;
  std::size_t pos = 0;
  for (; pos < text.size() && text[pos] >= u'0' && text[pos] <= u'9'; ++pos, ++digits) {
    magnitude = magnitude * 10 + static_cast<unsigned>(text[pos] - u'0');
    if (magnitude > kLargest) {
      tooLarge = true;
      magnitude = kLargest;
    }
  }
  int firstDecimal = 0;
  bool laterDecimalsNonZero = false;
  if (pos < text.size() && text[pos] == u'.') {
    ++pos;
    for (std::size_t i = 0; pos < text.size() && text[pos] >= u'0' && text[pos] <= u'9'; ++pos, ++i, ++digits) {
      const int d = text[pos] - u'0';
      if (i == 0)
        firstDecimal = d;
      else if (d != 0)
        laterDecimalsNonZero = true;
    }
  }
  if (digits == 0 || pos != text.size()) return std::nullopt;
  const bool roundUp = firstDecimal > 5 || (firstDecimal == 5 && (laterDecimalsNonZero || (magnitude % 2) == 1));
  if (roundUp) ++magnitude;
  const auto signedMagnitude = static_cast<std::int64_t>(magnitude);
  return ParsedNumber{negative ? -signedMagnitude : signedMagnitude, tooLarge};
}

std::u16string decimalText(std::int64_t value) {
  const std::string narrow = std::to_string(value);
  return std::u16string(narrow.begin(), narrow.end());
}

// The integer a value stands for, or the failure that forbids a numeric reading.
// `trueValue` is what a boolean true becomes (-1, or 255 for an unsigned byte as the
// classic conversion gives).
HRESULT numericValue(const Variant& v, std::int64_t trueValue, ParsedNumber& out) {
  switch (v.type()) {
    case VT_EMPTY: out = {}; return S_OK;
    case VT_I2: out = {v.i2(), false}; return S_OK;
    case VT_UI1: out = {v.ui1(), false}; return S_OK;
    case VT_I4: out = {v.i4(), false}; return S_OK;
    case VT_BOOL: out = {v.boolean() ? trueValue : 0, false}; return S_OK;
    case VT_BSTR: {
      const auto parsed = parseNumber(v.bstr());
      if (!parsed) return DISP_E_TYPEMISMATCH;
      out = *parsed;
      return S_OK;
    }
    default: return DISP_E_TYPEMISMATCH;
  }
}

template <class Integer>
HRESULT toInteger(const Variant& v, std::int64_t trueValue, Integer& out) {
  ParsedNumber n;
  if (const HRESULT hr = numericValue(v, trueValue, n); failed(hr)) return hr;
  if (n.tooLarge || n.value < std::numeric_limits<Integer>::min() || n.value > std::numeric_limits<Integer>::max())
    return DISP_E_OVERFLOW;
  out = static_cast<Integer>(n.value);
  return S_OK;
}

HRESULT toBool(const Variant& v, bool& out) {
  if (v.type() == VT_BSTR) {
    const auto text = trimBlanks(v.bstr());
    if (platform::text::sameIgnoringAsciiCase(text, u"true")) return out = true, S_OK;
    if (platform::text::sameIgnoringAsciiCase(text, u"false")) return out = false, S_OK;
  }
  ParsedNumber n;
  if (const HRESULT hr = numericValue(v, -1, n); failed(hr)) return hr;
  out = n.tooLarge || n.value != 0;
  return S_OK;
}

HRESULT toText(const Variant& v, std::u16string& out) {
  switch (v.type()) {
    case VT_EMPTY: out.clear(); return S_OK;
    case VT_BSTR: out = v.bstr(); return S_OK;
    case VT_I2: out = decimalText(v.i2()); return S_OK;
    case VT_UI1: out = decimalText(v.ui1()); return S_OK;
    case VT_I4: out = decimalText(v.i4()); return S_OK;
    case VT_BOOL: out = v.boolean() ? u"True" : u"False"; return S_OK;
    default: return DISP_E_TYPEMISMATCH;
  }
}

HRESULT convert(const Variant& v, VARTYPE target, Variant& out) {
  HRESULT hr = S_OK;
  switch (target) {
    case VT_EMPTY:
      if (v.type() == VT_DISPATCH) return DISP_E_TYPEMISMATCH;
      out = Variant();
      return S_OK;
    case VT_I2: {
      std::int16_t value = 0;
      if (succeeded(hr = toInteger(v, -1, value))) out = Variant::fromI2(value);
      return hr;
    }
    case VT_I4: {
      std::int32_t value = 0;
      if (succeeded(hr = toInteger(v, -1, value))) out = Variant::fromI4(value);
      return hr;
    }
    case VT_UI1: {
      std::uint8_t value = 0;
      if (succeeded(hr = toInteger(v, 255, value))) out = Variant::fromUI1(value);
      return hr;
    }
    case VT_BOOL: {
      bool value = false;
      if (succeeded(hr = toBool(v, value))) out = Variant::fromBool(value);
      return hr;
    }
    case VT_BSTR: {
      std::u16string text;
      if (succeeded(hr = toText(v, text))) out = Variant::fromBstr(std::move(text));
      return hr;
    }
    case VT_DISPATCH:
      if (v.type() != VT_DISPATCH) return DISP_E_TYPEMISMATCH;
      out = v;
      return S_OK;
    default: return DISP_E_BADVARTYPE;
  }
}

}  // namespace

Variant Variant::fromBstr(std::u16string text) {
  Variant v;
  v.type_ = VT_BSTR;
  v.text_ = std::move(text);
  return v;
}

Variant Variant::number(VARTYPE type, std::int32_t value) {
  Variant v;
  v.type_ = type;
  v.number_ = value;
  return v;
}

Variant Variant::fromI2(std::int16_t value) { return number(VT_I2, value); }

Variant Variant::fromUI1(std::uint8_t value) { return number(VT_UI1, value); }

Variant Variant::fromI4(std::int32_t value) { return number(VT_I4, value); }

Variant Variant::fromBool(bool value) { return number(VT_BOOL, value ? VARIANT_TRUE : VARIANT_FALSE); }

Variant Variant::fromDispatch(ComPtr<IDispatch> object) {
  Variant v;
  v.type_ = VT_DISPATCH;
  v.object_ = std::move(object);
  return v;
}

std::u16string Variant::takeBstr() {
  std::u16string text = std::move(text_);
  clear();
  return text;
}

bool operator==(const Variant& a, const Variant& b) {
  return a.type_ == b.type_ && a.number_ == b.number_ && a.text_ == b.text_ && a.object_ == b.object_;
}

HRESULT Variant::changeType(VARTYPE target, Variant& out) const {
  // Every kind converts to itself unchanged: no conversion, and no copy in place.
  if (target == type_) {
    if (&out != this) out = *this;
    return S_OK;
  }
  Variant converted;
  const HRESULT hr = convert(*this, target, converted);
  if (succeeded(hr)) out = std::move(converted);
  return hr;
}

}  // namespace platform::automation
