#include <platform/resources/ResourceId.h>

#include <algorithm>
#include <array>
#include <charconv>
#include <utility>

#include <platform/text/NameCase.h>

namespace platform::resources {
namespace {

constexpr std::array<std::pair<std::string_view, std::uint16_t>, 4> kClassicTypes{{
    {"RT_BITMAP", RT_BITMAP},
    {"RT_ICON", RT_ICON},
    {"RT_GROUP_ICON", RT_GROUP_ICON},
    {"RT_VERSION", RT_VERSION},
}};

std::optional<std::uint16_t> parseNumber(std::string_view digits) {
  if (digits.empty() || !std::all_of(digits.begin(), digits.end(), [](char c) { return c >= '0' && c <= '9'; }))
    return std::nullopt;
  unsigned value = 0;
  auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), value);
  if (error != std::errc{} || end != digits.data() + digits.size() || value == 0 || value > 0xFFFF) return std::nullopt;
  return static_cast<std::uint16_t>(value);
}

bool isPlainText(std::string_view text) {
  return !text.empty() &&
         std::all_of(text.begin(), text.end(), [](char c) { return c > ' ' && c < 0x7F && c != '"' && c != '\\'; });
}

}  // namespace

std::optional<ResourceId> ResourceId::fromDeclaration(std::string_view token) {
  for (const auto& [name, number] : kClassicTypes)
    if (token == name) return ResourceId(number);
  if (token.starts_with("RT_")) return std::nullopt;
  const bool spelledAsNumber =
      token.starts_with('#') || (!token.empty() && token.front() >= '0' && token.front() <= '9');
  if (!spelledAsNumber) {
    if (!isPlainText(token)) return std::nullopt;
    return ResourceId(std::string(token));
  }
  if (token.starts_with('#')) token.remove_prefix(1);
  if (auto number = parseNumber(token)) return ResourceId(*number);
  return std::nullopt;
}

bool ResourceId::matches(const ResourceId& other) const {
  if (isNumber() != other.isNumber()) return false;
  return isNumber() ? number() == other.number() : platform::text::sameIgnoringAsciiCase(text(), other.text());
}

std::string ResourceId::describe() const { return isNumber() ? std::to_string(number()) : "\"" + text() + "\""; }

}  // namespace platform::resources
