#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include <platform/automation/Dispatch.h>

namespace platform::tools {

// One late-bound call of dispcall, as written on its command line:
//   get:ID      property get (DISPATCH_PROPERTYGET)
//   callget:ID  property get flagged DISPATCH_METHOD|DISPATCH_PROPERTYGET
//   call:ID     method without arguments (DISPATCH_METHOD)
//   put:ID=VALUE property put (DISPATCH_PROPERTYPUT)
// ID is decimal, negative decimal or 0x hex (0xFFFFFDC8 is -568). VALUE is
// TYPE:TEXT with TYPE one of bstr, i2, i4, ui1, bool, or plain TEXT meaning bstr; a
// bstr TEXT starting with '"' is a JSON string literal.
struct DispatchCall {
  enum class Kind { Get, CallGet, Call, Put };
  Kind kind = Kind::Get;
  automation::DISPID id = 0;
  automation::Variant value;  // the put's value
};

std::optional<DispatchCall> parseDispatchCall(std::string_view text, std::string* error);
std::optional<automation::DISPID> parseDispatchId(std::string_view text);
std::optional<automation::Variant> parseCallValue(std::string_view text, std::string* error);

std::uint16_t invokeFlags(DispatchCall::Kind kind);

// Output lines: "ok" after a put, the result as `VT_BSTR "..."`, `VT_I2 N`,
// `VT_UI1 N`, `VT_I4 N`, `VT_BOOL true|false`, `VT_EMPTY` or `VT_DISPATCH`, and
// a failed call's code as platform::automation::hresultText writes it.
std::string formatResult(const automation::Variant& result);
// A tool's account of a failure: the sentence that names what and why, then the code
// ("why (error 0xXXXXXXXX)"); the code alone when nothing more is known.
std::string formatFailure(const std::string& why, automation::HRESULT hr);

// Makes the call; `line` receives its output line.
automation::HRESULT runDispatchCall(automation::IDispatch* object, const DispatchCall& call, std::string& line);

}  // namespace platform::tools
