#pragma once
// Type information as hosts and components query it: the classic ITypeLib and
// ITypeInfo, answering with value structs instead of allocated attribute blocks.
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include <platform/automation/HResult.h>
#include <platform/automation/Unknown.h>

#include <platform/typelib/TypeFlags.h>
#include <platform/typelib/TypeLibModel.h>

namespace platform::typelib {

struct ITypeLib;

struct LibraryAttributes {
  automation::GUID guid;
  automation::LCID lcid = 0;
  std::uint16_t majorVersion = 0;
  std::uint16_t minorVersion = 0;
  std::uint16_t flags = 0;  // LIBFLAG_*
};

struct TypeAttributes {
  automation::GUID guid;
  automation::LCID lcid = 0;
  TYPEKIND kind = TKIND_INTERFACE;
  std::uint16_t flags = 0;  // TYPEFLAG_*
  std::uint16_t majorVersion = 0;
  std::uint16_t minorVersion = 0;
  std::uint32_t functionCount = 0;
  std::uint32_t implementedTypeCount = 0;
  automation::GUID baseInterface;  // GUID_NULL when the type derives from nothing
};

// A function's description as published: parameter names are empty unless the
// library publishes them.
using FunctionDescription = typelib::Function;

struct ITypeInfo : automation::IUnknown {
  virtual automation::HRESULT GetTypeAttr(TypeAttributes* attributes) = 0;
  // Functions in virtual-table order; index past the end -> TYPE_E_ELEMENTNOTFOUND.
  virtual automation::HRESULT GetFuncDesc(std::uint32_t index, FunctionDescription* description) = 0;
  // MEMBERID_NIL documents the type itself; either out pointer may be null.
  virtual automation::HRESULT GetDocumentation(automation::DISPID memberId, std::u16string* name,
                                               std::u16string* helpString) = 0;
  // The member's name, then its parameters' names when the library publishes them.
  virtual automation::HRESULT GetNames(automation::DISPID memberId, std::vector<std::u16string>* names) = 0;
  // names[0] is a member, the rest its parameters (their ids are their positions).
  // Case is ignored. A name not found gets MEMBERID_NIL and the call DISP_E_UNKNOWNNAME.
  virtual automation::HRESULT GetIDsOfNames(const char16_t** names, std::uint32_t count,
                                            automation::DISPID* memberIds) = 0;
  // For a coclass: the flags (IMPLTYPEFLAG_*) and the type of its index-th implemented type.
  virtual automation::HRESULT GetImplTypeFlags(std::uint32_t index, std::int32_t* flags) = 0;
  virtual automation::HRESULT GetImplementedType(std::uint32_t index, ITypeInfo** type) = 0;
  virtual automation::HRESULT GetContainingTypeLib(ITypeLib** library, std::uint32_t* index) = 0;

 protected:
  ~ITypeInfo() = default;
};

struct ITypeLib : automation::IUnknown {
  virtual std::uint32_t GetTypeInfoCount() = 0;
  virtual automation::HRESULT GetTypeInfo(std::uint32_t index, ITypeInfo** type) = 0;
  virtual automation::HRESULT GetTypeInfoOfGuid(const automation::GUID& guid, ITypeInfo** type) = 0;
  virtual automation::HRESULT GetLibAttr(LibraryAttributes* attributes) = 0;
  // index -1 documents the library itself; either out pointer may be null.
  virtual automation::HRESULT GetDocumentation(std::int32_t index, std::u16string* name,
                                               std::u16string* helpString) = 0;

 protected:
  ~ITypeLib() = default;
};

// Reads the binary form (a component's TYPELIB resource). On failure *out stays
// null, *why (if given) says what is wrong and the result is TYPE_E_INVDATAREAD.
automation::HRESULT loadTypeLib(std::span<const std::uint8_t> bytes, ITypeLib** out, std::string* why = nullptr);

// Serves a description held in code, as the binary form would after a round trip:
// unpublished parameter names are dropped. An unsound description fails like loadTypeLib.
automation::HRESULT createTypeLib(const typelib::Library& library, ITypeLib** out, std::string* why = nullptr);

}  // namespace platform::typelib

template <>
struct platform::automation::InterfaceId<platform::typelib::ITypeInfo> {
  static constexpr IID value = IID_ITypeInfo;
};
template <>
struct platform::automation::InterfaceId<platform::typelib::ITypeLib> {
  static constexpr IID value = IID_ITypeLib;
};
