#pragma once
#include <string>
#include <string_view>

namespace platform::text {

// File names on disk are bytes, usually UTF-8; strings at the component boundary
// are UTF-16. A byte that is not part of valid UTF-8 is carried as a lone low
// surrogate U+DC80..U+DCFF and turned back into the same byte, so every name on
// disk survives the trip through UTF-16 and still opens the same file.
std::u16string utf16FromUtf8(std::string_view bytes);
std::string utf8FromUtf16(std::u16string_view text);

}  // namespace platform::text
