#include <administrator/importrun/SafeName.h>

#include <platform/text/Utf.h>

#include <optional>

namespace administrator::importrun {
namespace {
bool forbiddenInName(char16_t c) {
  if (c < 0x20 || (c >= 0x7F && c <= 0x9F)) return true;  // control characters
  switch (c) {
    case u'/':
    case u'\\':
    case u':':
    case u'*':
    case u'?':
    case u'"':
    case u'<':
    case u'>':
    case u'|': return true;
    default: return false;
  }
}

// The same for a name of printable ASCII, the most common, without a detour
// through a second text.
std::optional<std::string> asciiSafeName(std::u16string_view field) {
  std::string name(field.size(), '\0');
  for (std::size_t i = 0; i < field.size(); ++i) {
    if (field[i] >= 0x7F) return std::nullopt;
    name[i] = forbiddenInName(field[i]) ? '_' : static_cast<char>(field[i]);
  }
  if (!name.empty() && name.front() == '.') name.front() = '_';
  if (!name.empty() && name.back() == '.') name.back() = '_';
  return name;
}

}  // namespace

std::string safeNameComponent(std::u16string_view field) {
  if (auto ascii = asciiSafeName(field)) return std::move(*ascii);
  std::u16string name(field);
  for (auto& c : name) {
    if (forbiddenInName(c)) c = u'_';
  }
  if (!name.empty() && name.front() == u'.') name.front() = u'_';
  if (!name.empty() && name.back() == u'.') name.back() = u'_';
  return platform::text::utf8FromUtf16(name);
}

}  // namespace administrator::importrun
