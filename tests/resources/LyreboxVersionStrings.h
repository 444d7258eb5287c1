#pragma once
// The component's version strings as hosts are expected to show them, stated
// here apart from the generator that writes them (the version itself is the project's).
#include <string>
#include <utility>
#include <vector>

#include <tagcomponent/ComponentVersion.h>

namespace tests::resources {

inline const std::vector<std::pair<std::u16string, std::u16string>> kLyreboxVersionStrings{
    {u"FileDescription", u"Rread/write operations on ID3 tags of MP3"},
    {u"FileVersion", ::tagcomponent::kVersionBlockText},
    {u"ProductVersion", ::tagcomponent::kVersionBlockText},
    {u"InternalName", u"Lyrebox"},
    {u"OriginalFilename", u"Lyrebox.ocx"},
    {u"ProductName", u"Lyrebox"},
    {u"OLESelfRegister", u""},
};

}  // namespace tests::resources
