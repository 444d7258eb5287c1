#pragma once
// A resource type or name: a 16-bit number or a text. Texts match without
// regard to ASCII letter case, as the classic resource lookup did.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include <platform/resources/ResourceTable.h>

namespace platform::resources {

class ResourceId {
 public:
  ResourceId(std::uint16_t number) : number_(number), isNumber_(true) {}
  ResourceId(std::string text) : text_(std::move(text)) {}
  ResourceId(const char* text) : text_(text) {}

  // The spelling used where resources are declared: "RT_BITMAP" and the other
  // classic type names, a decimal number ("30000", or "#30000" as in resource
  // scripts) from 1 to 65535, or a text of printable characters without quotes
  // or backslashes ("TYPELIB"). Anything else, including "RT_" with an unknown
  // name, is refused.
  static std::optional<ResourceId> fromDeclaration(std::string_view token);

  bool isNumber() const { return isNumber_; }
  std::uint16_t number() const { return number_; }
  const std::string& text() const { return text_; }

  bool matches(const ResourceId& other) const;
  // 30000 or "TYPELIB", for messages.
  std::string describe() const;

 private:
  std::string text_;
  std::uint16_t number_ = 0;
  bool isNumber_ = false;
};

}  // namespace platform::resources
