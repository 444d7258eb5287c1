#pragma once
#include <cstdint>
#include <string>
#include <string_view>

#include <platform/automation/ComPtr.h>
#include <platform/automation/Unknown.h>
#include <platform/automation/VarType.h>

namespace platform::typelib {
struct ITypeInfo;
}  // namespace platform::typelib

namespace platform::automation {

class Variant;

// Invoke flags and the named argument of a property put, with the classic values.
constexpr std::uint16_t DISPATCH_METHOD = 1;
constexpr std::uint16_t DISPATCH_PROPERTYGET = 2;
constexpr std::uint16_t DISPATCH_PROPERTYPUT = 4;
constexpr std::uint16_t DISPATCH_PROPERTYPUTREF = 8;
constexpr DISPID DISPID_UNKNOWN = -1;
constexpr DISPID DISPID_PROPERTYPUT = -3;
constexpr LCID LOCALE_NEUTRAL = 0;

// Arguments of one Invoke. As on the classic platform the positional arguments are
// stored last-first: rgvarg[0] is the last argument; named arguments come first.
struct DISPPARAMS {
  Variant* rgvarg = nullptr;
  DISPID* rgdispidNamedArgs = nullptr;
  std::uint32_t cArgs = 0;
  std::uint32_t cNamedArgs = 0;
};

// What a member reports when it fails with DISP_E_EXCEPTION.
struct EXCEPINFO {
  std::uint16_t wCode = 0;
  std::u16string bstrSource;
  std::u16string bstrDescription;
  HRESULT scode = S_OK;
};

// Late-bound calls by dispatch identifier, the way hosts drive components.
struct IDispatch : IUnknown {
  virtual HRESULT GetTypeInfoCount(std::uint32_t* count) = 0;
  virtual HRESULT GetTypeInfo(std::uint32_t index, LCID locale, typelib::ITypeInfo** info) = 0;
  virtual HRESULT GetIDsOfNames(const IID& reserved, const char16_t** names, std::uint32_t count, LCID locale,
                                DISPID* ids) = 0;
  virtual HRESULT Invoke(DISPID member, const IID& reserved, LCID locale, std::uint16_t flags, DISPPARAMS* params,
                         Variant* result, EXCEPINFO* exception, std::uint32_t* argumentError) = 0;

 protected:
  ~IDispatch() = default;
};
template <>
struct InterfaceId<IDispatch> {
  static constexpr IID value = IID_IDispatch;
};

// Host-side shorthands for the three kinds of call a host makes. A property read is
// flagged DISPATCH_PROPERTYGET alone, as the host's import run does.
HRESULT getProperty(IDispatch* object, DISPID member, Variant* result);
// Puts one value, passed as the named argument DISPID_PROPERTYPUT.
HRESULT putProperty(IDispatch* object, DISPID member, Variant value);
// A method call without arguments; `result` may be null.
HRESULT callMethod(IDispatch* object, DISPID member, Variant* result);
// The dispatch identifier of one member name.
HRESULT idOfName(IDispatch* object, std::u16string_view name, DISPID* id);

// Server-side checks for Invoke. A get or method call without arguments: no
// positional (DISP_E_BADPARAMCOUNT) and no named ones (DISP_E_NONAMEDARGS).
HRESULT expectNoArguments(const DISPPARAMS* params);
// The one value of a property put, coerced to `type`: exactly one argument
// (DISP_E_BADPARAMCOUNT), passed as the named argument DISPID_PROPERTYPUT
// (DISP_E_PARAMNOTFOUND); a failed coercion returns its code and sets
// *argumentError to 0.
HRESULT propertyPutArgument(const DISPPARAMS* params, VARTYPE type, Variant& value, std::uint32_t* argumentError);
// The same without a copy when the argument has the type already: `value` then
// points at the caller's argument, else at `converted`.
HRESULT propertyPutArgument(const DISPPARAMS* params, VARTYPE type, Variant& converted, const Variant*& value,
                            std::uint32_t* argumentError);

}  // namespace platform::automation

// Variant needs IDispatch complete; anyone who includes one header gets both.
#include <platform/automation/Variant.h>
