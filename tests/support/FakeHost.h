#pragma once
// A host's window and site as the control sees them: the window answers "Visible"
// late-bound by name (or has no such property), and records every change to it.
#include <platform/automation/ComObject.h>
#include <platform/automation/ControlSite.h>
#include <platform/automation/Dispatch.h>

#include <vector>

namespace tests::support {

class FakeHostWindow : public platform::automation::ComObject<platform::automation::IDispatch> {
 public:
  static constexpr platform::automation::DISPID kVisibleId = 7;

  bool visible = true;
  bool hasVisible = true;
  std::vector<bool> visibilityPuts;

  platform::automation::HRESULT GetTypeInfoCount(std::uint32_t* count) override {
    *count = 0;
    return platform::automation::S_OK;
  }
  platform::automation::HRESULT GetTypeInfo(std::uint32_t, platform::automation::LCID,
                                            platform::typelib::ITypeInfo** info) override {
    *info = nullptr;
    return platform::automation::E_NOTIMPL;
  }
  platform::automation::HRESULT GetIDsOfNames(const platform::automation::IID&, const char16_t** names,
                                              std::uint32_t count, platform::automation::LCID,
                                              platform::automation::DISPID* ids) override {
    if (count != 1 || !hasVisible || std::u16string_view(names[0]) != u"Visible") {
      ids[0] = platform::automation::DISPID_UNKNOWN;
      return platform::automation::DISP_E_UNKNOWNNAME;
    }
    ids[0] = kVisibleId;
    return platform::automation::S_OK;
  }
  platform::automation::HRESULT Invoke(platform::automation::DISPID member, const platform::automation::IID&,
                                       platform::automation::LCID, std::uint16_t flags,
                                       platform::automation::DISPPARAMS* params, platform::automation::Variant* result,
                                       platform::automation::EXCEPINFO*, std::uint32_t* argumentError) override {
    if (member != kVisibleId || !hasVisible) return platform::automation::DISP_E_MEMBERNOTFOUND;
    if (flags & platform::automation::DISPATCH_PROPERTYPUT) {
      platform::automation::Variant value;
      const auto hr =
          platform::automation::propertyPutArgument(params, platform::automation::VT_BOOL, value, argumentError);
      if (platform::automation::failed(hr)) return hr;
      visible = value.boolean();
      visibilityPuts.push_back(visible);
      return platform::automation::S_OK;
    }
    if (result) *result = platform::automation::Variant::fromBool(visible);
    return platform::automation::S_OK;
  }

 protected:
  FakeHostWindow() = default;
};

// A site whose parent window is `parent` (none when null).
class FakeSite : public platform::automation::ComObject<platform::automation::IControlSite> {
 public:
  platform::automation::ComPtr<platform::automation::IDispatch> parent;

  platform::automation::HRESULT GetParentWindow(platform::automation::IDispatch** out) override {
    *out = platform::automation::ComPtr<platform::automation::IDispatch>(parent).detach();
    return platform::automation::S_OK;
  }
  platform::automation::HRESULT OnPropertyChanged(std::u16string_view) override { return platform::automation::S_OK; }

 protected:
  FakeSite() = default;
};

}  // namespace tests::support
