#pragma once
#include <cstdint>
#include <string>

#include <platform/automation/ComPtr.h>
#include <platform/automation/Dispatch.h>
#include <platform/automation/HResult.h>
#include <platform/automation/VarType.h>

namespace platform::automation {

// The classic boolean: -1 for true, 0 for false.
using VARIANT_BOOL = std::int16_t;
constexpr VARIANT_BOOL VARIANT_TRUE = -1;
constexpr VARIANT_BOOL VARIANT_FALSE = 0;

// One Automation value of the kinds components and hosts exchange: empty, a UTF-16
// string, a 16-bit or 32-bit signed integer, an unsigned byte, a boolean, or an
// object. Accessors of another kind than type() are a programming error.
class Variant {
 public:
  Variant() = default;
  static Variant fromBstr(std::u16string text);
  static Variant fromI2(std::int16_t value);
  static Variant fromUI1(std::uint8_t value);
  static Variant fromI4(std::int32_t value);
  static Variant fromBool(bool value);
  static Variant fromDispatch(ComPtr<IDispatch> object);

  VARTYPE type() const { return type_; }
  bool isEmpty() const { return type() == VT_EMPTY; }

  const std::u16string& bstr() const { return text_; }
  // The text, moved out; the variant is empty afterwards.
  std::u16string takeBstr();
  std::int16_t i2() const { return static_cast<std::int16_t>(number_); }
  std::uint8_t ui1() const { return static_cast<std::uint8_t>(number_); }
  std::int32_t i4() const { return number_; }
  bool boolean() const { return number_ != 0; }
  const ComPtr<IDispatch>& dispatch() const { return object_; }

  void clear() { *this = Variant(); }

  // Automation's coercions, as a put of a typed property applies them: numbers
  // convert with a range check (DISP_E_OVERFLOW), text parses as a number with
  // blanks around it and decimals rounded half to even (DISP_E_TYPEMISMATCH when it
  // is no number), booleans are -1/0 and "True"/"False", empty is 0, "" or false,
  // and an object converts to nothing else. `out` may be this variant itself.
  HRESULT changeType(VARTYPE target, Variant& out) const;

  friend bool operator==(const Variant& a, const Variant& b);

 private:
  static Variant number(VARTYPE type, std::int32_t value);
  // Plain fields rather than a union: one kind tag and the field it uses.
  VARTYPE type_ = VT_EMPTY;
  std::int32_t number_ = 0;  // VT_I2, VT_UI1, VT_I4; VT_BOOL as -1 or 0
  std::u16string text_;
  ComPtr<IDispatch> object_;
};

}  // namespace platform::automation
