#include <tests/typelib/ComponentLikeLibrary.h>

#include <platform/automation/Unknown.h>

namespace tests::typelib {
using namespace platform::automation;
using namespace platform::typelib;

namespace {
void addProperty(std::vector<Function>& functions, const std::u16string& name, DISPID id, VARTYPE type,
                 const std::u16string& help) {
  functions.push_back(propertyGet(name, id, type, help));
  functions.push_back(propertyPut(name, id, u"New_" + name, type, help));
}

TypeDescription defaultInterface() {
  TypeDescription t{
      kInterfaceId,
      u"_Lyrebox",
      u"",
      1,
      0,
      TKIND_INTERFACE,
      TYPEFLAG_FHIDDEN | TYPEFLAG_FDUAL | TYPEFLAG_FNONEXTENSIBLE | TYPEFLAG_FOLEAUTOMATION | TYPEFLAG_FDISPATCHABLE,
      IID_IDispatch,
      {},
      {}};
  auto& f = t.functions;
  f.push_back(method(u"About", -552, u"opens the AboutBox"));
  f.push_back(propertyGet(u"MP3_FileName", 0x68030006, VT_BSTR));
  f.push_back(propertyPut(u"MP3_FileName", 0x68030006, u"New_MP3_FileName", VT_BSTR));
  f.push_back(methodReturning(u"SaveTag", 0x60030007, VT_I4));
  addProperty(f, u"ID3tag_Title", 0x68030005, VT_BSTR, u"To read or set the Title in the ID3 tag");
  addProperty(f, u"ID3tag_Artist", 0x68030004, VT_BSTR, u"To read or set the Artist in the ID3 tag");
  addProperty(f, u"ID3tag_Album", 0x68030003, VT_BSTR, u"To read or set the Album in the ID3 tag");
  addProperty(f, u"ID3tag_Year", 0x68030002, VT_I2, u"To read or set the Year in the ID3 tag");
  addProperty(f, u"ID3tag_Comment", 0x68030001, VT_BSTR, u"To read or set the Comment in the ID3 tag");
  addProperty(f, u"ID3tag_Genre", 0x68030000, VT_UI1, u"To read or set the Genre in the ID3 tag");
  return t;
}
}  // namespace

Library componentLikeLibrary() {
  Library lib{kLibraryId, u"prjLyrebox", u"Wendlow Lyrebox r/w Ocx", 1, 0, 0, LIBFLAG_FCONTROL, false, {}};
  lib.types.push_back(
      {kClassId,
       u"Lyrebox",
       u"",
       1,
       0,
       TKIND_COCLASS,
       TYPEFLAG_FCONTROL,
       GUID_NULL,
       {},
       {{kInterfaceId, IMPLTYPEFLAG_FDEFAULT}, {kEventsId, IMPLTYPEFLAG_FDEFAULT | IMPLTYPEFLAG_FSOURCE}}});
  lib.types.push_back(defaultInterface());
  lib.types.push_back({kEventsId,
                       u"__Lyrebox",
                       u"",
                       1,
                       0,
                       TKIND_DISPATCH,
                       TYPEFLAG_FHIDDEN | TYPEFLAG_FNONEXTENSIBLE | TYPEFLAG_FDISPATCHABLE,
                       GUID_NULL,
                       {},
                       {}});
  return lib;
}

}  // namespace tests::typelib
