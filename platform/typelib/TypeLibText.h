#pragma once
#include <string>
#include <string_view>

namespace typelib {

// Member names are matched without regard to case, as late-bound callers expect;
// folding covers the Latin letters of the first 256 code points.
bool sameNameIgnoringCase(std::u16string_view a, std::u16string_view b);

// For error messages; unpaired surrogates become U+FFFD.
std::string toUtf8(std::u16string_view text);

}  // namespace typelib
