#include <administrator/commandline/JsonText.h>

#include <platform/text/Utf.h>

#include <cstdio>

namespace administrator::commandline {
namespace {

void appendEscape(std::string& out, char16_t unit) {
  char escape[8];
  std::snprintf(escape, sizeof escape, "\\u%04x", static_cast<unsigned>(unit));
  out += escape;
}

std::string quotedJson(std::u16string_view value) {
  std::string out = "\"";
  for (std::size_t i = 0; i < value.size(); ++i) {
    const char16_t unit = value[i];
    const bool pairs =
        platform::text::isHighSurrogate(unit) && i + 1 < value.size() && platform::text::isLowSurrogate(value[i + 1]);
    if (pairs) {
      out += platform::text::utf8FromUtf16(value.substr(i++, 2));
    } else if (unit == u'"' || unit == u'\\') {
      out += '\\';
      out += static_cast<char>(unit);
    } else if (unit < 0x20 || platform::text::isHighSurrogate(unit) || platform::text::isLowSurrogate(unit)) {
      appendEscape(out, unit);
    } else {
      platform::text::appendUtf8(out, unit);
    }
  }
  return out + "\"";
}

}  // namespace

void JsonObject::key(std::string_view name) {
  if (!members_.empty()) members_ += ",";
  members_ += quotedJson(platform::text::utf16FromUtf8(name)) + ":";
}

JsonObject& JsonObject::text(std::string_view name, std::u16string_view value) {
  key(name);
  members_ += quotedJson(value);
  return *this;
}

JsonObject& JsonObject::number(std::string_view name, std::size_t value) {
  key(name);
  members_ += std::to_string(value);
  return *this;
}

JsonObject& JsonObject::boolean(std::string_view name, bool value) {
  key(name);
  members_ += value ? "true" : "false";
  return *this;
}

}  // namespace administrator::commandline
