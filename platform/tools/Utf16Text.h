#pragma once
#include <optional>
#include <string>
#include <string_view>

namespace platform::tools {

// A JSON string literal of UTF-16 text: quotes, backslashes and control characters
// escaped, well-formed characters as UTF-8, lone surrogates as \uXXXX so that any
// automation string prints and reads back exactly.
std::string jsonStringLiteral(std::u16string_view text);

// Reads one whole JSON string literal (nothing may follow it). \uXXXX escapes may
// give any UTF-16 unit, including NUL and lone surrogates.
std::optional<std::u16string> parseJsonStringLiteral(std::string_view literal, std::string* error);

}  // namespace platform::tools
