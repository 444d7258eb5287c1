#include <platform/typelib/TypeLibModel.h>

#include <utility>

namespace platform::typelib {
using automation::DISPID;
using automation::VARTYPE;
using automation::VT_EMPTY;
using automation::VT_HRESULT;

VARTYPE Function::valueType() const {
  for (const Parameter& p : parameters)
    if (p.flags & PARAMFLAG_FRETVAL) return p.type;
  return resultType == VT_HRESULT ? VT_EMPTY : resultType;
}

Function method(std::u16string name, DISPID id, std::u16string helpString) {
  return Function{std::move(name), id, INVOKE_FUNC, {}, VT_HRESULT, 0, std::move(helpString)};
}

Function methodReturning(std::u16string name, DISPID id, VARTYPE result, std::u16string helpString) {
  Function f = method(std::move(name), id, std::move(helpString));
  f.parameters.push_back({u"", result, PARAMFLAG_FOUT | PARAMFLAG_FRETVAL});
  return f;
}

Function propertyGet(std::u16string name, DISPID id, VARTYPE type, std::u16string helpString) {
  Function f = methodReturning(std::move(name), id, type, std::move(helpString));
  f.invokeKind = INVOKE_PROPERTYGET;
  return f;
}

Function propertyPut(std::u16string name, DISPID id, std::u16string parameterName, VARTYPE type,
                     std::u16string helpString) {
  Function f = method(std::move(name), id, std::move(helpString));
  f.invokeKind = INVOKE_PROPERTYPUT;
  f.parameters.push_back({std::move(parameterName), type, PARAMFLAG_FIN});
  return f;
}

}  // namespace platform::typelib
