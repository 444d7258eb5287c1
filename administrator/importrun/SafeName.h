#pragma once
#include <string>
#include <string_view>

namespace administrator::importrun {

// Turns a tag field into one folder or file name component (UTF-8) that stays
// inside the destination root and that removable media and network shares accept:
// '/', '\', NUL and other control characters and : * ? " < > | become '_', and a
// leading or trailing '.' becomes '_', so no field can name ".", "..", a hidden
// folder, or a place outside the root.
std::string safeNameComponent(std::u16string_view field);

}  // namespace administrator::importrun
