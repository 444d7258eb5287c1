#pragma once
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace administrator::commandline {

// One JSON object on one line, from names and values. Values are UTF-16 text; a
// byte of a file name that is not UTF-8 travels as a lone surrogate and is
// written as its \u escape, so every line is valid JSON whatever the names hold.
class JsonObject {
 public:
  JsonObject& text(std::string_view name, std::u16string_view value);
  JsonObject& number(std::string_view name, std::size_t value);
  JsonObject& boolean(std::string_view name, bool value);
  std::string line() const { return "{" + members_ + "}"; }

 private:
  void key(std::string_view name);
  std::string members_;
};

}  // namespace administrator::commandline
