#include <platform/automation/Dispatch.h>

namespace platform::automation {

HRESULT getProperty(IDispatch* object, DISPID member, Variant* result) {
  if (!object || !result) return E_POINTER;
  DISPPARAMS none;
  return object->Invoke(member, GUID_NULL, LOCALE_NEUTRAL, DISPATCH_PROPERTYGET, &none, result, nullptr, nullptr);
}

HRESULT putProperty(IDispatch* object, DISPID member, Variant value) {
  if (!object) return E_POINTER;
  DISPID named = DISPID_PROPERTYPUT;
  DISPPARAMS params{&value, &named, 1, 1};
  return object->Invoke(member, GUID_NULL, LOCALE_NEUTRAL, DISPATCH_PROPERTYPUT, &params, nullptr, nullptr, nullptr);
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

}  // namespace platform::automation

namespace platform::automation {

HRESULT expectNoArguments(const DISPPARAMS* params) {
  if (!params) return S_OK;
  if (params->cNamedArgs != 0) return DISP_E_NONAMEDARGS;
  if (params->cArgs != 0) return DISP_E_BADPARAMCOUNT;
  return S_OK;
}

HRESULT propertyPutArgument(const DISPPARAMS* params, VARTYPE type, Variant& converted, const Variant*& value,
                            std::uint32_t* argumentError) {
  value = nullptr;
  if (!params || params->cArgs != 1 || !params->rgvarg) return DISP_E_BADPARAMCOUNT;
  if (params->cNamedArgs != 1 || !params->rgdispidNamedArgs || params->rgdispidNamedArgs[0] != DISPID_PROPERTYPUT)
    return DISP_E_PARAMNOTFOUND;
  const Variant& given = params->rgvarg[0];
  if (given.type() == type) {
    value = &given;
    return S_OK;
  }
  const HRESULT hr = given.changeType(type, converted);
  if (failed(hr)) {
    if (argumentError) *argumentError = 0;
    return hr;
  }
  value = &converted;
  return S_OK;
}

HRESULT propertyPutArgument(const DISPPARAMS* params, VARTYPE type, Variant& value, std::uint32_t* argumentError) {
  const Variant* coerced = nullptr;
  const HRESULT hr = propertyPutArgument(params, type, value, coerced, argumentError);
  if (succeeded(hr) && coerced != &value) value = *coerced;
  return hr;
}

}  // namespace platform::automation
