#include <platform/typelib/TypeLibValidation.h>

#include <platform/text/Utf.h>

#include <platform/automation/Unknown.h>

#include <platform/text/NameCase.h>

namespace platform::typelib {
using automation::GUID;
using automation::GUID_NULL;
using automation::IID_IDispatch;
using automation::toRegistryText;
namespace {
using Problem = std::optional<std::string>;

std::string describe(const TypeDescription& type, std::size_t index) {
  return "type " + std::to_string(index) + " \"" + platform::text::utf8FromUtf16(type.name) + "\"";
}

bool isKnownKind(TYPEKIND kind) { return kind == TKIND_INTERFACE || kind == TKIND_DISPATCH || kind == TKIND_COCLASS; }

bool isKnownInvokeKind(INVOKEKIND kind) {
  return kind == INVOKE_FUNC || kind == INVOKE_PROPERTYGET || kind == INVOKE_PROPERTYPUT ||
         kind == INVOKE_PROPERTYPUTREF;
}

const TypeDescription* findType(const Library& library, const GUID& guid) {
  for (const TypeDescription& t : library.types)
    if (t.guid == guid) return &t;
  return nullptr;
}

Problem checkParameters(const Function& f) {
  for (std::size_t i = 0; i < f.parameters.size(); ++i) {
    const bool retval = f.parameters[i].flags & PARAMFLAG_FRETVAL;
    if (retval && i + 1 != f.parameters.size()) return "a retval parameter that is not the last";
  }
  return std::nullopt;
}

Problem checkFunction(const TypeDescription& type, std::size_t index) {
  const Function& f = type.functions[index];
  if (f.name.empty()) return "a function without a name";
  if (!isKnownInvokeKind(f.invokeKind)) return "an unknown invoke kind " + std::to_string(f.invokeKind);
  if (Problem p = checkParameters(f)) return p;
  for (std::size_t j = 0; j < index; ++j) {
    const Function& earlier = type.functions[j];
    if (earlier.memberId == f.memberId && earlier.invokeKind == f.invokeKind)
      return "two functions with the same member id and invoke kind";
    if (platform::text::sameNameIgnoringCase(earlier.name, f.name) != (earlier.memberId == f.memberId))
      return "member \"" + platform::text::utf8FromUtf16(f.name) + "\" with a name and member id that disagree";
  }
  return std::nullopt;
}

Problem checkInterface(const TypeDescription& type) {
  if (!type.implementedTypes.empty()) return "implemented types on an interface";
  if ((type.flags & TYPEFLAG_FDUAL) && (type.kind != TKIND_INTERFACE || type.baseInterface != IID_IDispatch))
    return "a dual flag without deriving from IDispatch";
  for (std::size_t i = 0; i < type.functions.size(); ++i)
    if (Problem p = checkFunction(type, i)) return "function " + std::to_string(i) + ": " + *p;
  return std::nullopt;
}

Problem checkCoclass(const Library& library, const TypeDescription& type) {
  if (!type.functions.empty() || type.baseInterface != GUID_NULL) return "functions or a base on a coclass";
  constexpr std::int32_t knownFlags = IMPLTYPEFLAG_FDEFAULT | IMPLTYPEFLAG_FSOURCE | IMPLTYPEFLAG_FRESTRICTED;
  for (const ImplementedType& implemented : type.implementedTypes) {
    const TypeDescription* target = findType(library, implemented.type);
    if (!target || target->kind == TKIND_COCLASS)
      return "an implemented type " + toRegistryText(implemented.type) + " that is no interface of the library";
    if (implemented.flags & ~knownFlags) return "unknown implemented-type flags";
  }
  return std::nullopt;
}

// Checked for every type before any coclass resolves its implemented types.
Problem checkIdentity(const Library& library, std::size_t index) {
  const TypeDescription& type = library.types[index];
  if (type.name.empty()) return "a type without a name";
  if (!isKnownKind(type.kind)) return "an unknown kind " + std::to_string(type.kind);
  if (type.guid == GUID_NULL) return "a null identity";
  for (std::size_t j = 0; j < index; ++j)
    if (library.types[j].guid == type.guid) return "the same identity as type " + std::to_string(j);
  return std::nullopt;
}

Problem checkContents(const Library& library, std::size_t index) {
  const TypeDescription& type = library.types[index];
  return type.kind == TKIND_COCLASS ? checkCoclass(library, type) : checkInterface(type);
}
}  // namespace

std::optional<std::string> findModelError(const Library& library) {
  if (library.name.empty()) return "type library without a name";
  for (auto check : {checkIdentity, checkContents})
    for (std::size_t i = 0; i < library.types.size(); ++i)
      if (Problem p = check(library, i)) return describe(library.types[i], i) + " has " + *p;
  return std::nullopt;
}

}  // namespace platform::typelib
