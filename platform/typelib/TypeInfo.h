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

namespace automation {

struct ITypeLib;

struct LibraryAttributes {
  GUID guid;
  LCID lcid = 0;
  std::uint16_t majorVersion = 0;
  std::uint16_t minorVersion = 0;
  std::uint16_t flags = 0;  // LIBFLAG_*
};

struct TypeAttributes {
  GUID guid;
  LCID lcid = 0;
  TYPEKIND kind = TKIND_INTERFACE;
  std::uint16_t flags = 0;  // TYPEFLAG_*
  std::uint16_t majorVersion = 0;
  std::uint16_t minorVersion = 0;
  std::uint32_t functionCount = 0;
  std::uint32_t implementedTypeCount = 0;
  GUID baseInterface;  // GUID_NULL when the type derives from nothing
};

// A function's description as published: parameter names are empty unless the
// library publishes them.
using FunctionDescription = typelib::Function;

struct ITypeInfo : IUnknown {
  virtual HRESULT GetTypeAttr(TypeAttributes* attributes) = 0;
  // Functions in virtual-table order; index past the end -> TYPE_E_ELEMENTNOTFOUND.
  virtual HRESULT GetFuncDesc(std::uint32_t index, FunctionDescription* description) = 0;
  // MEMBERID_NIL documents the type itself; either out pointer may be null.
  virtual HRESULT GetDocumentation(DISPID memberId, std::u16string* name, std::u16string* helpString) = 0;
  // The member's name, then its parameters' names when the library publishes them.
  virtual HRESULT GetNames(DISPID memberId, std::vector<std::u16string>* names) = 0;
  // names[0] is a member, the rest its parameters (their ids are their positions).
  // Case is ignored. A name not found gets MEMBERID_NIL and the call DISP_E_UNKNOWNNAME.
  virtual HRESULT GetIDsOfNames(const char16_t** names, std::uint32_t count, DISPID* memberIds) = 0;
  // For a coclass: the flags (IMPLTYPEFLAG_*) and the type of its index-th implemented type.
  virtual HRESULT GetImplTypeFlags(std::uint32_t index, std::int32_t* flags) = 0;
  virtual HRESULT GetImplementedType(std::uint32_t index, ITypeInfo** type) = 0;
  virtual HRESULT GetContainingTypeLib(ITypeLib** library, std::uint32_t* index) = 0;

 protected:
  ~ITypeInfo() = default;
};

struct ITypeLib : IUnknown {
  virtual std::uint32_t GetTypeInfoCount() = 0;
  virtual HRESULT GetTypeInfo(std::uint32_t index, ITypeInfo** type) = 0;
  virtual HRESULT GetTypeInfoOfGuid(const GUID& guid, ITypeInfo** type) = 0;
  virtual HRESULT GetLibAttr(LibraryAttributes* attributes) = 0;
  // index -1 documents the library itself; either out pointer may be null.
  virtual HRESULT GetDocumentation(std::int32_t index, std::u16string* name, std::u16string* helpString) = 0;

 protected:
  ~ITypeLib() = default;
};

template <>
struct InterfaceId<ITypeInfo> {
  static constexpr IID value = IID_ITypeInfo;
};
template <>
struct InterfaceId<ITypeLib> {
  static constexpr IID value = IID_ITypeLib;
};

// Reads the binary form (a component's TYPELIB resource). On failure *out stays
// null, *why (if given) says what is wrong and the result is TYPE_E_INVDATAREAD.
HRESULT loadTypeLib(std::span<const std::uint8_t> bytes, ITypeLib** out, std::string* why = nullptr);

// Serves a description held in code, as the binary form would after a round trip:
// unpublished parameter names are dropped. An unsound description fails like loadTypeLib.
HRESULT createTypeLib(const typelib::Library& library, ITypeLib** out, std::string* why = nullptr);

}  // namespace automation
