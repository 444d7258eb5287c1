#pragma once
#include <string_view>

namespace tagcomponent::persistence::bagkey {

// The keys under which the control's properties are saved, in the order they are
// written and read; a host matches them without regard to letter case.
inline constexpr std::u16string_view kFileName = u"MP3_FileName";
inline constexpr std::u16string_view kTitle = u"Tag_Title";
inline constexpr std::u16string_view kArtist = u"Tag_Artist";
inline constexpr std::u16string_view kAlbum = u"Tag_Album";
inline constexpr std::u16string_view kYear = u"Tag_Year";
inline constexpr std::u16string_view kComment = u"Tag_Comment";
inline constexpr std::u16string_view kGenre = u"Tag_Genre";

}  // namespace tagcomponent::persistence::bagkey
