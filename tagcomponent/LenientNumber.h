#pragma once
#include <cstdint>
#include <optional>
#include <string_view>

namespace tagcomponent {

// Reads a number out of free text the forgiving way a tag's year needs:
// - spaces, tabs and line feeds are skipped wherever they stand;
// - the number is an optional sign, decimal digits with at most one decimal point,
//   and an optional exponent ("E" or "D" in either case, optional sign, digits);
//   or "&H" and hexadecimal digits, or "&O" and octal digits (letters in either case);
// - reading stops at the first character that cannot continue the number, and what
//   was read so far is the value; text that does not begin with a number reads 0.
// A value too large for a double reads as infinity, so the caller sees the overflow.
double readLenientNumber(std::u16string_view text);

// Nearest integer; a value exactly halfway goes to the even neighbour.
double roundHalfToEven(double value);

// The value rounded half to even, or nothing when that lies outside -32768..32767.
std::optional<std::int16_t> roundToInt16(double value);

}  // namespace tagcomponent
