#include "Dispatch.h"

namespace automation {

HRESULT getProperty(IDispatch* object, DISPID member, Variant* result) {
  if (!object || !result) return E_POINTER;
  DISPPARAMS none;
  return object->Invoke(member, GUID_NULL, LOCALE_NEUTRAL, DISPATCH_PROPERTYGET, &none, result, nullptr, nullptr);
}

HRESULT putProperty(IDispatch* object, DISPID member, Variant value) {
  if (!object) return E_POINTER;
  DISPID named = DISPID_PROPERTYPUT;
  DISPPARAMS params{&value, &named, 1, 1};
  return object->Invoke(member, GUID_NULL, LOCALE_NEUTRAL, DISPATCH_PROPERTYPUT, &params, nullptr, nullptr,
                        nullptr);
}

HRESULT callMethod(IDispatch* object, DISPID member, Variant* result) {
  if (!object) return E_POINTER;
  DISPPARAMS none;
  return object->Invoke(member, GUID_NULL, LOCALE_NEUTRAL, DISPATCH_METHOD, &none, result, nullptr, nullptr);
}

HRESULT idOfName(IDispatch* object, std::u16string_view name, DISPID* id) {
  if (!object || !id) return E_POINTER;
  const std::u16string terminated(name);
  const char16_t* names[] = {terminated.c_str()};
  return object->GetIDsOfNames(GUID_NULL, names, 1, LOCALE_NEUTRAL, id);
}

}  // namespace automation
