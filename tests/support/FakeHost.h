#pragma once
// A host's window and site as the control sees them: the window answers "Visible"
// late-bound by name (or has no such property), and records every change to it.
#include <platform/automation/ComObject.h>
#include <platform/automation/ControlSite.h>
#include <platform/automation/Dispatch.h>

#include <vector>

namespace tagtest {

class FakeHostWindow : public automation::ComObject<automation::IDispatch> {
 public:
  static constexpr automation::DISPID kVisibleId = 7;

  bool visible = true;
  bool hasVisible = true;
  std::vector<bool> visibilityPuts;

  automation::HRESULT GetTypeInfoCount(std::uint32_t* count) override {
    *count = 0;
    return automation::S_OK;
  }
  automation::HRESULT GetTypeInfo(std::uint32_t, automation::LCID, automation::ITypeInfo** info) override {
    *info = nullptr;
    return automation::E_NOTIMPL;
  }
  automation::HRESULT GetIDsOfNames(const automation::IID&, const char16_t** names, std::uint32_t count,
                                    automation::LCID, automation::DISPID* ids) override {
    if (count != 1 || !hasVisible || std::u16string_view(names[0]) != u"Visible") {
      ids[0] = automation::DISPID_UNKNOWN;
      return automation::DISP_E_UNKNOWNNAME;
    }
    ids[0] = kVisibleId;
    return automation::S_OK;
  }
  automation::HRESULT Invoke(automation::DISPID member, const automation::IID&, automation::LCID,
                             std::uint16_t flags, automation::DISPPARAMS* params, automation::Variant* result,
                             automation::EXCEPINFO*, std::uint32_t* argumentError) override {
    if (member != kVisibleId || !hasVisible) return automation::DISP_E_MEMBERNOTFOUND;
    if (flags & automation::DISPATCH_PROPERTYPUT) {
      automation::Variant value;
      const auto hr = automation::propertyPutArgument(params, automation::VT_BOOL, value, argumentError);
      if (automation::failed(hr)) return hr;
      visible = value.boolean();
      visibilityPuts.push_back(visible);
      return automation::S_OK;
    }
    if (result) *result = automation::Variant::fromBool(visible);
    return automation::S_OK;
  }

 protected:
  FakeHostWindow() = default;
};

// A site whose parent window is `parent` (none when null).
class FakeSite : public automation::ComObject<automation::IControlSite> {
 public:
  automation::ComPtr<automation::IDispatch> parent;

  automation::HRESULT GetParentWindow(automation::IDispatch** out) override {
    *out = automation::ComPtr<automation::IDispatch>(parent).detach();
    return automation::S_OK;
  }
  automation::HRESULT OnPropertyChanged(std::u16string_view) override { return automation::S_OK; }

 protected:
  FakeSite() = default;
};

}  // namespace tagtest
