#pragma once

namespace lyrebox {

// The component's title and version, shown by the About box and carried in the
// library's version block.
inline constexpr const char* kComponentTitle = "Lyrebox";
inline constexpr int kVersionMajor = 1;
inline constexpr int kVersionMinor = 0;
inline constexpr int kVersionRevision = 0;

}  // namespace lyrebox
