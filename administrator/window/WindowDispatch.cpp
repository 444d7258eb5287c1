#include <administrator/window/WindowDispatch.h>

#include <platform/text/NameCase.h>

// The host program makes objects of its own (its window's parent object and site).
AUTOMATION_DEFINE_LIBRARY_COUNTER()

namespace administrator::window {
namespace {

using platform::automation::DISP_E_MEMBERNOTFOUND;
using platform::automation::DISP_E_UNKNOWNNAME;
using platform::automation::DISPATCH_PROPERTYGET;
using platform::automation::DISPATCH_PROPERTYPUT;
using platform::automation::DISPID;
using platform::automation::DISPID_UNKNOWN;
using platform::automation::DISPPARAMS;
using platform::automation::E_NOTIMPL;
using platform::automation::E_POINTER;
using platform::automation::E_UNEXPECTED;
using platform::automation::EXCEPINFO;
using platform::automation::expectNoArguments;
using platform::automation::failed;
using platform::automation::HRESULT;
using platform::automation::IDispatch;
using platform::automation::IID;
using platform::automation::LCID;
using platform::automation::makeObject;
using platform::automation::propertyPutArgument;
using platform::automation::S_OK;
using platform::automation::Variant;
using platform::automation::VT_BOOL;
using platform::typelib::ITypeInfo;

constexpr DISPID DISPID_Visible = 1;

}  // namespace

HRESULT WindowDispatch::GetTypeInfoCount(std::uint32_t* count) {
  if (!count) return E_POINTER;
  *count = 0;
  return S_OK;
}

HRESULT WindowDispatch::GetTypeInfo(std::uint32_t, LCID, ITypeInfo** info) {
  if (info) *info = nullptr;
  return E_NOTIMPL;
}

HRESULT WindowDispatch::GetIDsOfNames(const IID&, const char16_t** names, std::uint32_t count, LCID, DISPID* ids) {
  if (!names || !ids) return E_POINTER;
  HRESULT hr = S_OK;
  for (std::uint32_t i = 0; i < count; ++i) {
    const bool known = i == 0 && names[i] && platform::text::sameNameIgnoringCase(names[i], u"Visible");
    ids[i] = known ? DISPID_Visible : DISPID_UNKNOWN;
    if (!known) hr = DISP_E_UNKNOWNNAME;
  }
  return hr;
}

HRESULT WindowDispatch::Invoke(DISPID member, const IID&, LCID, std::uint16_t flags, DISPPARAMS* params,
                               Variant* result, EXCEPINFO*, std::uint32_t* argumentError) {
  if (member != DISPID_Visible) return DISP_E_MEMBERNOTFOUND;
  if (!window_) return E_UNEXPECTED;
  if (flags & DISPATCH_PROPERTYPUT) {
    Variant value;
    if (const HRESULT hr = propertyPutArgument(params, VT_BOOL, value, argumentError); failed(hr)) return hr;
    window_->setVisible(value.boolean());
    return S_OK;
  }
  if (!(flags & DISPATCH_PROPERTYGET)) return DISP_E_MEMBERNOTFOUND;
  if (const HRESULT hr = expectNoArguments(params); failed(hr)) return hr;
  if (result) *result = Variant::fromBool(window_->isVisible());
  return S_OK;
}

HRESULT WindowControlSite::GetParentWindow(IDispatch** parent) {
  if (!parent) return E_POINTER;
  *parent = makeObject<WindowDispatch>(window_).detach();
  return S_OK;
}

}  // namespace administrator::window
