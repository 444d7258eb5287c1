#pragma once
#include <cstdint>
#include <string>
#include <variant>

#include "ComPtr.h"
#include "Dispatch.h"
#include "HResult.h"
#include "VarType.h"

namespace automation {

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

  VARTYPE type() const;
  bool isEmpty() const { return type() == VT_EMPTY; }

  const std::u16string& bstr() const { return std::get<std::u16string>(value_); }
  std::int16_t i2() const { return std::get<std::int16_t>(value_); }
  std::uint8_t ui1() const { return std::get<std::uint8_t>(value_); }
  std::int32_t i4() const { return std::get<std::int32_t>(value_); }
  bool boolean() const { return std::get<Bool>(value_).value; }
  VARIANT_BOOL boolValue() const { return boolean() ? VARIANT_TRUE : VARIANT_FALSE; }
  const ComPtr<IDispatch>& dispatch() const { return std::get<ComPtr<IDispatch>>(value_); }

  void clear() { value_ = std::monostate{}; }

  // Automation's coercions, as a put of a typed property applies them: numbers
  // convert with a range check (DISP_E_OVERFLOW), text parses as a number with
  // blanks around it and decimals rounded half to even (DISP_E_TYPEMISMATCH when it
  // is no number), booleans are -1/0 and "True"/"False", empty is 0, "" or false,
  // and an object converts to nothing else. `out` may be this variant itself.
  HRESULT changeType(VARTYPE target, Variant& out) const;

  friend bool operator==(const Variant& a, const Variant& b) { return a.value_ == b.value_; }

 private:
  struct Bool {
    bool value = false;
    friend bool operator==(Bool, Bool) = default;
  };
  using Storage = std::variant<std::monostate, std::u16string, std::int16_t, std::uint8_t, std::int32_t, Bool,
                               ComPtr<IDispatch>>;
  explicit Variant(Storage value) : value_(std::move(value)) {}

  Storage value_;
};

}  // namespace automation
