#pragma once
// The plain description of a type library: what a component writes down in code,
// what the binary form carries, and what ITypeLib/ITypeInfo answer from.
#include <cstdint>
#include <string>
#include <vector>

#include <platform/automation/Guid.h>
#include <platform/automation/VarType.h>

#include <platform/typelib/TypeFlags.h>

namespace platform::typelib {

using automation::DISPID;
using automation::GUID;
using automation::VARTYPE;

// A parameter's type is the value type; an out or retval parameter is passed by
// pointer to it, so VT_BSTR with PARAMFLAG_FOUT means "BSTR*".
struct Parameter {
  std::u16string name;
  automation::VARTYPE type = automation::VT_EMPTY;
  std::uint16_t flags = typelib::PARAMFLAG_NONE;

  friend bool operator==(const Parameter&, const Parameter&) = default;
};

struct Function {
  std::u16string name;
  automation::DISPID memberId = 0;
  typelib::INVOKEKIND invokeKind = typelib::INVOKE_FUNC;
  std::vector<Parameter> parameters;
  // VT_HRESULT for a member of a dual interface, whose value travels in a retval parameter.
  automation::VARTYPE resultType = automation::VT_HRESULT;
  std::uint16_t flags = 0;
  std::u16string helpString;

  // The type a late-bound caller receives: the retval parameter's, else the result's.
  automation::VARTYPE valueType() const;

  friend bool operator==(const Function&, const Function&) = default;
};

struct ImplementedType {
  automation::GUID type;
  std::int32_t flags = 0;  // IMPLTYPEFLAG_*

  friend bool operator==(const ImplementedType&, const ImplementedType&) = default;
};

struct TypeDescription {
  automation::GUID guid;
  std::u16string name;
  std::u16string helpString;
  std::uint16_t majorVersion = 1;
  std::uint16_t minorVersion = 0;
  typelib::TYPEKIND kind = typelib::TKIND_INTERFACE;
  std::uint16_t flags = 0;  // TYPEFLAG_*
  // For an interface, the one it derives from (IID_IDispatch for a dual one); else GUID_NULL.
  automation::GUID baseInterface;
  // In virtual-table order, after the base interface's own entries.
  std::vector<Function> functions;
  // Only a coclass implements types; each must be described in the same library.
  std::vector<ImplementedType> implementedTypes;

  friend bool operator==(const TypeDescription&, const TypeDescription&) = default;
};

struct Library {
  automation::GUID guid;
  std::u16string name;
  std::u16string helpString;
  std::uint16_t majorVersion = 1;
  std::uint16_t minorVersion = 0;
  automation::LCID lcid = 0;
  std::uint16_t flags = 0;  // LIBFLAG_*
  // A component keeps its parameter names for its own use; the published library
  // carries them only when this is set.
  bool parameterNamesPublished = false;
  std::vector<TypeDescription> types;

  friend bool operator==(const Library&, const Library&) = default;
};

// Member shapes of a dual interface: every entry returns HRESULT, a value comes back
// through a trailing [out, retval] pointer, a put takes its value [in].
Function method(std::u16string name, automation::DISPID id, std::u16string helpString = {});
Function methodReturning(std::u16string name, automation::DISPID id, automation::VARTYPE result,
                         std::u16string helpString = {});
Function propertyGet(std::u16string name, automation::DISPID id, automation::VARTYPE type,
                     std::u16string helpString = {});
Function propertyPut(std::u16string name, automation::DISPID id, std::u16string parameterName, automation::VARTYPE type,
                     std::u16string helpString = {});

}  // namespace platform::typelib
