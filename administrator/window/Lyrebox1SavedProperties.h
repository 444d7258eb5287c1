#pragma once
#include <string_view>

namespace administrator::window {

// What the main window's description keeps for its tag control `Lyrebox1`, in the
// property bag's text form: the extent its designer stored and the values of a new
// control that differ from their defaults (the file name and genre held theirs).
inline constexpr std::string_view kLyrebox1SavedProperties =
    "_extentx = i4 873\r\n"
    "_extenty = i4 873\r\n"
    "tag_title = \"                              \"\r\n"
    "tag_artist = \"                              \"\r\n"
    "tag_album = \"                              \"\r\n"
    "tag_year = \"19  \"\r\n"
    "tag_comment = \"                              \"\r\n";

}  // namespace administrator::window
