#pragma once
// What outside parties bind to: identities fixed forever, the ProgID, and the
// dispatch identifiers of the member table. Both the component and its host build
// against this one header, so they cannot drift apart.
#include <platform/automation/Guid.h>
#include <platform/automation/VarType.h>

#include <cstdint>

namespace tagcomponent {

using platform::automation::DISPID;

constexpr platform::automation::GUID LIBID_prjLyrebox{
    0x419F3D6A, 0x0823, 0x492A, {0x99, 0xB0, 0x71, 0x38, 0x06, 0x1E, 0x83, 0x1E}};
constexpr platform::automation::GUID CLSID_Lyrebox{
    0xCFF571BF, 0xAB85, 0x4320, {0xA0, 0x64, 0x6C, 0xE6, 0x6A, 0x12, 0x8D, 0x5F}};
constexpr platform::automation::GUID IID__Lyrebox{
    0xE6BF9FC0, 0xD2EA, 0x49FE, {0xBC, 0x44, 0x1F, 0x38, 0x64, 0x39, 0x02, 0x37}};
constexpr platform::automation::GUID DIID___Lyrebox{
    0xD5F25C60, 0xFCF2, 0x4DE2, {0x8D, 0x61, 0xA3, 0x7B, 0xB7, 0x20, 0x70, 0x75}};

constexpr const char* kProgId = "prjLyrebox.Lyrebox";

constexpr platform::automation::DISPID DISPID_About = -552;
constexpr platform::automation::DISPID DISPID_MP3_FileName = 0x68030006;
constexpr platform::automation::DISPID DISPID_SaveTag = 0x60030007;
constexpr platform::automation::DISPID DISPID_ID3tag_Title = 0x68030005;
constexpr platform::automation::DISPID DISPID_ID3tag_Artist = 0x68030004;
constexpr platform::automation::DISPID DISPID_ID3tag_Album = 0x68030003;
constexpr platform::automation::DISPID DISPID_ID3tag_Year = 0x68030002;
constexpr platform::automation::DISPID DISPID_ID3tag_Comment = 0x68030001;
constexpr platform::automation::DISPID DISPID_ID3tag_Genre = 0x68030000;

}  // namespace tagcomponent
