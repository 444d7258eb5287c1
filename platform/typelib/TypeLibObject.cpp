#include <platform/typelib/TypeLibObject.h>

#include <platform/typelib/TypeInfoObject.h>
#include <platform/typelib/TypeLibFormat.h>
#include <platform/typelib/TypeLibValidation.h>

// The type library objects count here, as the automation library's connection
// points count in its own.
AUTOMATION_DEFINE_LIBRARY_COUNTER()

namespace platform::typelib {

std::uint32_t TypeLibObject::GetTypeInfoCount() { return static_cast<std::uint32_t>(library_.types.size()); }

automation::HRESULT TypeLibObject::GetTypeInfo(std::uint32_t index, ITypeInfo** type) {
  if (!type) return automation::E_POINTER;
  *type = nullptr;
  if (index >= library_.types.size()) return automation::TYPE_E_ELEMENTNOTFOUND;
  *type = automation::makeObject<TypeInfoObject>(automation::ComPtr<TypeLibObject>(this), index).detach();
  return automation::S_OK;
}

automation::HRESULT TypeLibObject::GetTypeInfoOfGuid(const automation::GUID& guid, ITypeInfo** type) {
  if (!type) return automation::E_POINTER;
  *type = nullptr;
  for (std::uint32_t i = 0; i < library_.types.size(); ++i)
    if (library_.types[i].guid == guid) return GetTypeInfo(i, type);
  return automation::TYPE_E_ELEMENTNOTFOUND;
}

automation::HRESULT TypeLibObject::GetLibAttr(LibraryAttributes* attributes) {
  if (!attributes) return automation::E_POINTER;
  *attributes = {library_.guid, library_.lcid, library_.majorVersion, library_.minorVersion, library_.flags};
  return automation::S_OK;
}

automation::HRESULT TypeLibObject::GetDocumentation(std::int32_t index, std::u16string* name,
                                                    std::u16string* helpString) {
  const bool ofLibrary = index == -1;
  if (!ofLibrary && (index < 0 || static_cast<std::size_t>(index) >= library_.types.size()))
    return automation::TYPE_E_ELEMENTNOTFOUND;
  const std::u16string& foundName = ofLibrary ? library_.name : library_.types[index].name;
  const std::u16string& foundHelp = ofLibrary ? library_.helpString : library_.types[index].helpString;
  if (name) *name = foundName;
  if (helpString) *helpString = foundHelp;
  return automation::S_OK;
}

namespace {
void withdrawUnpublishedNames(typelib::Library& library) {
  if (library.parameterNamesPublished) return;
  for (typelib::TypeDescription& type : library.types)
    for (typelib::Function& function : type.functions)
      for (typelib::Parameter& parameter : function.parameters) parameter.name.clear();
}

automation::HRESULT refuse(std::string problem, std::string* why) {
  if (why) *why = std::move(problem);
  return automation::TYPE_E_INVDATAREAD;
}
}  // namespace

automation::HRESULT createTypeLib(const typelib::Library& library, ITypeLib** out, std::string* why) {
  if (!out) return automation::E_POINTER;
  *out = nullptr;
  if (auto problem = typelib::findModelError(library)) return refuse("type library: " + *problem, why);
  typelib::Library published = library;
  withdrawUnpublishedNames(published);
  *out = automation::makeObject<TypeLibObject>(std::move(published)).detach();
  return automation::S_OK;
}

automation::HRESULT loadTypeLib(std::span<const std::uint8_t> bytes, ITypeLib** out, std::string* why) {
  if (!out) return automation::E_POINTER;
  *out = nullptr;
  typelib::ParseResult parsed = typelib::parse(bytes);
  if (!parsed.library) return refuse(std::move(parsed.error), why);
  *out = automation::makeObject<TypeLibObject>(std::move(*parsed.library)).detach();
  return automation::S_OK;
}

}  // namespace platform::typelib
