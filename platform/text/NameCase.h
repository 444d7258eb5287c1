#pragma once
#include <string_view>

namespace platform::text {

// Member names, property-bag keys and the like are matched without regard to case,
// as late-bound callers expect; folding covers the Latin letters of the first 256
// code points.
bool sameNameIgnoringCase(std::u16string_view a, std::u16string_view b);

}  // namespace platform::text
