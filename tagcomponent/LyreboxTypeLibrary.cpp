#include <tagcomponent/LyreboxTypeLibrary.h>

#include <platform/automation/Unknown.h>

#include <tagcomponent/AutomationNames.h>
#include <tagcomponent/LyreboxIdentity.h>

namespace tagcomponent {

using platform::typelib::Function;
using platform::typelib::IMPLTYPEFLAG_FDEFAULT;
using platform::typelib::IMPLTYPEFLAG_FSOURCE;
using platform::typelib::LIBFLAG_FCONTROL;
using platform::typelib::Library;
using platform::typelib::method;
using platform::typelib::methodReturning;
using platform::typelib::propertyGet;
using platform::typelib::propertyPut;
using platform::typelib::TKIND_COCLASS;
using platform::typelib::TKIND_DISPATCH;
using platform::typelib::TKIND_INTERFACE;
using platform::typelib::TypeDescription;
using platform::typelib::TYPEFLAG_FCONTROL;
using platform::typelib::TYPEFLAG_FDISPATCHABLE;
using platform::typelib::TYPEFLAG_FDUAL;
using platform::typelib::TYPEFLAG_FHIDDEN;
using platform::typelib::TYPEFLAG_FNONEXTENSIBLE;
using platform::typelib::TYPEFLAG_FOLEAUTOMATION;

namespace {

void addProperty(std::vector<Function>& functions, const std::u16string& name, DISPID id, VARTYPE type,
                 const std::u16string& help) {
  functions.push_back(propertyGet(name, id, type, help));
  functions.push_back(propertyPut(name, id, u"New_" + name, type, help));
}

// In virtual-table order; MP3_FileName and SaveTag carry no help string.
TypeDescription defaultInterface() {
  TypeDescription type{
      IID__Lyrebox,
      u"_Lyrebox",
      u"",
      1,
      0,
      TKIND_INTERFACE,
      TYPEFLAG_FHIDDEN | TYPEFLAG_FDUAL | TYPEFLAG_FNONEXTENSIBLE | TYPEFLAG_FOLEAUTOMATION | TYPEFLAG_FDISPATCHABLE,
      IID_IDispatch,
      {},
      {}};
  auto& f = type.functions;
  f.push_back(method(u"About", DISPID_About, u"opens the AboutBox"));
  f.push_back(propertyGet(u"MP3_FileName", DISPID_MP3_FileName, VT_BSTR));
  f.push_back(propertyPut(u"MP3_FileName", DISPID_MP3_FileName, u"New_MP3_FileName", VT_BSTR));
  f.push_back(methodReturning(u"SaveTag", DISPID_SaveTag, VT_I4));
  addProperty(f, u"ID3tag_Title", DISPID_ID3tag_Title, VT_BSTR, u"To read or set the Title in the ID3 tag");
  addProperty(f, u"ID3tag_Artist", DISPID_ID3tag_Artist, VT_BSTR, u"To read or set the Artist in the ID3 tag");
  addProperty(f, u"ID3tag_Album", DISPID_ID3tag_Album, VT_BSTR, u"To read or set the Album in the ID3 tag");
  addProperty(f, u"ID3tag_Year", DISPID_ID3tag_Year, VT_I2, u"To read or set the Year in the ID3 tag");
  addProperty(f, u"ID3tag_Comment", DISPID_ID3tag_Comment, VT_BSTR, u"To read or set the Comment in the ID3 tag");
  addProperty(f, u"ID3tag_Genre", DISPID_ID3tag_Genre, VT_UI1, u"To read or set the Genre in the ID3 tag");
  return type;
}

TypeDescription controlClass() {
  return {CLSID_Lyrebox,
          u"Lyrebox",
          u"",
          1,
          0,
          TKIND_COCLASS,
          TYPEFLAG_FCONTROL,
          GUID_NULL,
          {},
          {{IID__Lyrebox, IMPLTYPEFLAG_FDEFAULT}, {DIID___Lyrebox, IMPLTYPEFLAG_FDEFAULT | IMPLTYPEFLAG_FSOURCE}}};
}

TypeDescription eventInterface() {
  return {DIID___Lyrebox,
          u"__Lyrebox",
          u"",
          1,
          0,
          TKIND_DISPATCH,
          TYPEFLAG_FHIDDEN | TYPEFLAG_FNONEXTENSIBLE | TYPEFLAG_FDISPATCHABLE,
          GUID_NULL,
          {},
          {}};
}

}  // namespace

Library lyreboxTypeLibrary() {
  Library library{
      LIBID_prjLyrebox, u"prjLyrebox", u"Wendlow Lyrebox r/w Ocx", 1, 0, 0 /* neutral */, LIBFLAG_FCONTROL, false, {}};
  library.types = {controlClass(), defaultInterface(), eventInterface()};
  return library;
}

}  // namespace tagcomponent
