#pragma once
#include <optional>
#include <string>
#include <string_view>

namespace platform::text {

// File names on disk are bytes, usually UTF-8; strings at the component boundary
// are UTF-16. A byte that is not part of valid UTF-8 is carried as a lone low
// surrogate U+DC80..U+DCFF and turned back into the same byte, so every name on
// disk survives the trip through UTF-16 and still opens the same file.
std::u16string utf16FromUtf8(std::string_view bytes);
std::string utf8FromUtf16(std::u16string_view text);

// Strict reading of text that must be UTF-8 (a command line, a JSON literal):
// null for malformed, overlong or surrogate encodings.
std::optional<std::u16string> strictUtf16FromUtf8(std::string_view bytes);

// Length of the valid UTF-8 character at `pos`, with its code point; 0 when the
// bytes there are malformed, overlong or an encoded surrogate.
std::size_t decodeUtf8Character(std::string_view bytes, std::size_t pos, char32_t& codePoint);
void appendUtf8(std::string& out, char32_t codePoint);
void appendUtf16(std::u16string& out, char32_t codePoint);
inline bool isHighSurrogate(char32_t unit) { return unit >= 0xD800 && unit <= 0xDBFF; }
inline bool isLowSurrogate(char32_t unit) { return unit >= 0xDC00 && unit <= 0xDFFF; }

}  // namespace platform::text
