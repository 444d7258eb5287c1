#include <platform/tools/DispatchCall.h>

#include <charconv>
#include <limits>

#include <platform/tools/Utf16Text.h>

#include <platform/automation/HResultText.h>
#include <platform/text/Utf.h>

namespace platform::tools {
namespace {

using automation::Variant;

template <class T>
std::optional<T> fail(std::string* error, std::string what) {
  if (error) *error = std::move(what);
  return std::nullopt;
}

// A whole decimal number within [min, max].
std::optional<std::int64_t> parseDecimal(std::string_view text, std::int64_t min, std::int64_t max) {
  std::int64_t value = 0;
  const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (text.empty() || ec != std::errc() || end != text.data() + text.size() || value < min || value > max)
    return std::nullopt;
  return value;
}

std::optional<Variant> parseBstr(std::string_view text, std::string* error) {
  if (text.starts_with('"')) {
    auto parsed = parseJsonStringLiteral(text, error);
    if (!parsed) return std::nullopt;
    return Variant::fromBstr(std::move(*parsed));
  }
  auto converted = platform::text::strictUtf16FromUtf8(text);
  if (!converted) return fail<Variant>(error, "text is not valid UTF-8");
  return Variant::fromBstr(std::move(*converted));
}

}  // namespace

std::optional<automation::DISPID> parseDispatchId(std::string_view text) {
  if (text.starts_with("0x") || text.starts_with("0X")) {
    const auto digits = text.substr(2);
    std::uint32_t value = 0;
    const auto [end, ec] = std::from_chars(digits.data(), digits.data() + digits.size(), value, 16);
    if (digits.empty() || ec != std::errc() || end != digits.data() + digits.size()) return std::nullopt;
    return static_cast<automation::DISPID>(value);
  }
  if (text.starts_with('+')) return std::nullopt;
  const auto value =
      parseDecimal(text, std::numeric_limits<std::int32_t>::min(), std::numeric_limits<std::int32_t>::max());
  if (!value) return std::nullopt;
  return static_cast<automation::DISPID>(*value);
}

std::optional<Variant> parseCallValue(std::string_view text, std::string* error) {
  const auto colon = text.find(':');
  const std::string_view type = colon == std::string_view::npos ? std::string_view() : text.substr(0, colon);
  const std::string_view rest = colon == std::string_view::npos ? text : text.substr(colon + 1);
  auto integer = [&](std::int64_t min, std::int64_t max) {
    auto value = parseDecimal(rest, min, max);
    if (!value) fail<Variant>(error, "'" + std::string(rest) + "' is no " + std::string(type) + " number");
    return value;
  };
  if (type == "bstr") return parseBstr(rest, error);
  if (type == "i2") {
    auto v = integer(INT16_MIN, INT16_MAX);
    return v ? std::optional(Variant::fromI2(static_cast<std::int16_t>(*v))) : std::nullopt;
  }
  if (type == "i4") {
    auto v = integer(INT32_MIN, INT32_MAX);
    return v ? std::optional(Variant::fromI4(static_cast<std::int32_t>(*v))) : std::nullopt;
  }
  if (type == "ui1") {
    auto v = integer(0, UINT8_MAX);
    return v ? std::optional(Variant::fromUI1(static_cast<std::uint8_t>(*v))) : std::nullopt;
  }
  if (type == "bool") {
    if (rest == "true") return Variant::fromBool(true);
    if (rest == "false") return Variant::fromBool(false);
    return fail<Variant>(error, "a bool is true or false, not '" + std::string(rest) + "'");
  }
  return parseBstr(text, error);  // no known type before a colon: the whole text
}

std::optional<DispatchCall> parseDispatchCall(std::string_view text, std::string* error) {
  static constexpr std::pair<std::string_view, DispatchCall::Kind> kinds[] = {{"get:", DispatchCall::Kind::Get},
                                                                              {"callget:", DispatchCall::Kind::CallGet},
                                                                              {"call:", DispatchCall::Kind::Call},
                                                                              {"put:", DispatchCall::Kind::Put}};
  for (const auto& [prefix, kind] : kinds) {
    if (!text.starts_with(prefix)) continue;
    DispatchCall call;
    call.kind = kind;
    std::string_view idText = text.substr(prefix.size());
    std::string_view valueText;
    if (kind == DispatchCall::Kind::Put) {
      const auto equals = idText.find('=');
      if (equals == std::string_view::npos) return fail<DispatchCall>(error, "a put needs ID=VALUE");
      valueText = idText.substr(equals + 1);
      idText = idText.substr(0, equals);
    }
    const auto id = parseDispatchId(idText);
    if (!id) return fail<DispatchCall>(error, "'" + std::string(idText) + "' is no dispatch identifier");
    call.id = *id;
    if (kind == DispatchCall::Kind::Put) {
      auto value = parseCallValue(valueText, error);
      if (!value) return std::nullopt;
      call.value = std::move(*value);
    }
    return call;
  }
  return fail<DispatchCall>(error, "a call starts with get:, callget:, call: or put:");
}

std::uint16_t invokeFlags(DispatchCall::Kind kind) {
  switch (kind) {
    case DispatchCall::Kind::Get: return automation::DISPATCH_PROPERTYGET;
    case DispatchCall::Kind::CallGet: return automation::DISPATCH_METHOD | automation::DISPATCH_PROPERTYGET;
    case DispatchCall::Kind::Call: return automation::DISPATCH_METHOD;
    case DispatchCall::Kind::Put: return automation::DISPATCH_PROPERTYPUT;
  }
  return 0;
}

std::string formatResult(const Variant& result) {
  switch (result.type()) {
    case automation::VT_BSTR: return "VT_BSTR " + jsonStringLiteral(result.bstr());
    case automation::VT_I2: return "VT_I2 " + std::to_string(result.i2());
    case automation::VT_UI1: return "VT_UI1 " + std::to_string(result.ui1());
    case automation::VT_I4: return "VT_I4 " + std::to_string(result.i4());
    case automation::VT_BOOL: return result.boolean() ? "VT_BOOL true" : "VT_BOOL false";
    case automation::VT_DISPATCH: return "VT_DISPATCH";
    default: return "VT_EMPTY";
  }
}

std::string formatFailure(const std::string& why, automation::HRESULT hr) {
  return why.empty() ? automation::hresultText(hr) : why + " (" + automation::hresultText(hr) + ")";
}

automation::HRESULT runDispatchCall(automation::IDispatch* object, const DispatchCall& call, std::string& line) {
  Variant result;
  Variant argument = call.value;
  automation::DISPID named = automation::DISPID_PROPERTYPUT;
  automation::DISPPARAMS params;
  if (call.kind == DispatchCall::Kind::Put) params = {&argument, &named, 1, 1};
  automation::EXCEPINFO exception;
  std::uint32_t argumentError = 0;
  const automation::HRESULT hr =
      object->Invoke(call.id, automation::GUID_NULL, automation::LOCALE_NEUTRAL, invokeFlags(call.kind), &params,
                     call.kind == DispatchCall::Kind::Put ? nullptr : &result, &exception, &argumentError);
  if (automation::failed(hr))
    line = automation::hresultText(hr);
  else
    line = call.kind == DispatchCall::Kind::Put ? "ok" : formatResult(result);
  return hr;
}

}  // namespace platform::tools
