#pragma once
#include <cstdint>

namespace tagcomponent {

// Tag text is one byte per character in the Western "ANSI" code page, Windows-1252.
// The five bytes that code page leaves undefined (0x81, 0x8D, 0x8F, 0x90, 0x9D) map
// to the C1 control characters of the same value, so every byte 0..255 has a
// character and comes back unchanged when written: a field that was loaded and not
// set since is saved byte for byte.
char16_t charFromWindows1252(std::uint8_t byte);

// A character the code page cannot represent is written as '?'.
std::uint8_t windows1252FromChar(char16_t character);

}  // namespace tagcomponent
