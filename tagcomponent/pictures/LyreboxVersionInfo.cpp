#include <tagcomponent/pictures/LyreboxVersionInfo.h>

#include <tagcomponent/ComponentVersion.h>

namespace tagcomponent::pictures {

platform::resources::VersionInfo lyreboxVersionInfo() {
  platform::resources::VersionInfo info;
  const platform::resources::FourPartVersion version{tagcomponent::kVersionMajor, tagcomponent::kVersionMinor, 0,
                                                     tagcomponent::kVersionRevision};
  info.fixed.fileVersion = version;
  info.fixed.productVersion = version;
  info.fixed.fileFlags = 0;
  info.fixed.fileOS = platform::resources::VOS__WINDOWS32;
  info.fixed.fileType = platform::resources::VFT_DLL;
  // US English, Unicode: the one table and its translation entry.
  info.stringTables.push_back({u"040904B0",
                               {
                                   // The description's spelling is what hosts have always shown; kept as it is.
                                   {u"FileDescription", u"Rread/write operations on ID3 tags of MP3"},
                                   {u"FileVersion", tagcomponent::kVersionBlockText},
                                   {u"ProductVersion", tagcomponent::kVersionBlockText},
                                   {u"InternalName", u"Lyrebox"},
                                   {u"OriginalFilename", u"Lyrebox.ocx"},
                                   {u"ProductName", u"Lyrebox"},
                                   // Present and empty: marks the library as self-registering.
                                   {u"OLESelfRegister", u""},
                               }});
  info.translations.push_back({0x0409, 0x04B0});
  return info;
}

}  // namespace tagcomponent::pictures
