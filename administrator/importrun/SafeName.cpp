#include "SafeName.h"

#include <text/Utf.h>

namespace mervalis {
namespace {
bool forbiddenInName(char16_t c) {
  const bool control = c < 0x20 || (c >= 0x7F && c <= 0x9F);
  return control || std::u16string_view(u"/\\:*?\"<>|").find(c) != std::u16string_view::npos;
}
}  // namespace

std::string safeNameComponent(std::u16string_view field) {
  std::u16string name(field);
  for (auto& c : name) {
    if (forbiddenInName(c)) c = u'_';
  }
  if (!name.empty() && name.front() == u'.') name.front() = u'_';
  if (!name.empty() && name.back() == u'.') name.back() = u'_';
  return platform::text::utf8FromUtf16(name);
}

}  // namespace mervalis
