// Variant::changeType from every kind to every kind, with fuzzed values. The first
// byte picks the source kind, the next two a further target type to try; the rest
// is the value (text as one character per byte or as UTF-16 units, by the kind
// byte's high bit, so both digits and any unit are easy to reach). Beyond not
// crashing: a success gives the asked kind, a failure leaves the output alone, a
// conversion in place agrees with one into another variant, the integer kinds agree
// with each other, and numbers and booleans survive a trip through text.
#include <cstdint>
#include <limits>
#include <string>

#include <platform/automation/Variant.h>

#include <fuzz/FuzzCheck.h>

namespace {

using namespace platform::automation;

constexpr VARTYPE kSupported[] = {VT_EMPTY, VT_BSTR, VT_I2, VT_UI1, VT_I4, VT_BOOL, VT_DISPATCH};
constexpr VARTYPE kUnsupported[] = {VT_NULL, VT_ERROR,   VT_VARIANT, VT_UNKNOWN,
                                    VT_VOID, VT_HRESULT, VT_PTR,     VT_USERDEFINED};

bool isSupported(VARTYPE type) {
  for (const VARTYPE t : kSupported)
    if (t == type) return true;
  return false;
}

std::int32_t littleEndian(const std::uint8_t* data, std::size_t size, std::size_t width) {
  std::uint32_t value = 0;
  for (std::size_t i = 0; i < width && i < size; ++i) value |= static_cast<std::uint32_t>(data[i]) << (8 * i);
  return static_cast<std::int32_t>(value);
}

Variant sourceValue(std::uint8_t kind, const std::uint8_t* data, std::size_t size) {
  switch (kind % 7) {
    case 0: return Variant();
    case 1: {
      std::u16string text;
      if (kind & 0x80) {
        for (std::size_t i = 0; i + 1 < size; i += 2) text += static_cast<char16_t>(data[i] | (data[i + 1] << 8));
      } else {
        text.assign(data, data + size);
      }
      return Variant::fromBstr(std::move(text));
    }
    case 2: return Variant::fromI2(static_cast<std::int16_t>(littleEndian(data, size, 2)));
    case 3: return Variant::fromUI1(size > 0 ? data[0] : 0);
    case 4: return Variant::fromI4(littleEndian(data, size, 4));
    case 5: return Variant::fromBool(size > 0 && data[0] != 0);
    default: return Variant::fromDispatch(nullptr);  // an object that is Nothing is still an object
  }
}

// Converts into a separate variant and in place, and checks that both agree.
HRESULT convert(const Variant& source, VARTYPE target, Variant& out) {
  const Variant untouched = Variant::fromBstr(u"untouched");
  out = untouched;
  const HRESULT hr = source.changeType(target, out);
  Variant inPlace = source;
  FUZZ_CHECK(inPlace.changeType(target, inPlace) == hr);
  if (succeeded(hr)) {
    FUZZ_CHECK(out.type() == target && inPlace == out);
  } else {
    FUZZ_CHECK(out == untouched && inPlace == source);
    FUZZ_CHECK(hr == DISP_E_TYPEMISMATCH || hr == DISP_E_OVERFLOW || hr == DISP_E_BADVARTYPE);
    FUZZ_CHECK((hr == DISP_E_BADVARTYPE) == !isSupported(target));
  }
  return hr;
}

// The integer kinds are one reading checked against three ranges (a boolean true is
// 255 as a byte and -1 otherwise).
void checkIntegerKindsAgree(const Variant& source) {
  Variant wide, narrow, byte;
  const HRESULT wideResult = convert(source, VT_I4, wide);
  const HRESULT narrowResult = convert(source, VT_I2, narrow);
  const HRESULT byteResult = convert(source, VT_UI1, byte);
  if (source.type() == VT_DISPATCH) {
    FUZZ_CHECK(wideResult == DISP_E_TYPEMISMATCH && narrowResult == wideResult && byteResult == wideResult);
    return;
  }
  if (failed(wideResult)) {
    FUZZ_CHECK(narrowResult == wideResult);
    if (source.type() != VT_BOOL) FUZZ_CHECK(byteResult == wideResult);
    return;
  }
  const std::int32_t x = wide.i4();
  const bool fitsI2 = x >= std::numeric_limits<std::int16_t>::min() && x <= std::numeric_limits<std::int16_t>::max();
  FUZZ_CHECK(succeeded(narrowResult) == fitsI2 && (!fitsI2 || narrow.i2() == x));
  if (source.type() != VT_BOOL) {
    FUZZ_CHECK(succeeded(byteResult) == (x >= 0 && x <= 255) && (failed(byteResult) || byte.ui1() == x));
  }
  Variant flag;
  FUZZ_CHECK(succeeded(convert(source, VT_BOOL, flag)) && flag.boolean() == (x != 0));
  // The number's own text reads back as the number.
  Variant text, back;
  FUZZ_CHECK(succeeded(convert(wide, VT_BSTR, text)) && succeeded(convert(text, VT_I4, back)) && back == wide);
}

// A number or boolean written as text reads back as itself.
void checkTextRoundTrip(const Variant& source) {
  if (source.type() == VT_EMPTY || source.type() == VT_BSTR || source.type() == VT_DISPATCH) return;
  Variant text, back;
  FUZZ_CHECK(succeeded(convert(source, VT_BSTR, text)));
  FUZZ_CHECK(succeeded(convert(text, source.type(), back)) && back == source);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 3) return 0;
  const std::uint8_t kind = data[0];
  const auto extraTarget = static_cast<VARTYPE>(data[1] | (data[2] << 8));
  const Variant source = sourceValue(kind, data + 3, size - 3);

  Variant out;
  for (const VARTYPE target : kSupported) convert(source, target, out);
  for (const VARTYPE target : kUnsupported) FUZZ_CHECK(convert(source, target, out) == DISP_E_BADVARTYPE);
  convert(source, extraTarget, out);
  checkIntegerKindsAgree(source);
  checkTextRoundTrip(source);
  return 0;
}
