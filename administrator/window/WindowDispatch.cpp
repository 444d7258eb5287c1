#include <administrator/window/WindowDispatch.h>

#include <platform/text/NameCase.h>

// The host program makes objects of its own (its window's parent object and site).
AUTOMATION_DEFINE_LIBRARY_COUNTER()

namespace mervalis {
namespace {

using namespace automation;

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

}  // namespace mervalis
