#pragma once
#include <string_view>

#include <platform/automation/Unknown.h>

namespace platform::automation {

struct IDispatch;

constexpr IID IID_IControlSite{0x8C53BBE7, 0x204E, 0x497A, {0xA0, 0x64, 0x5B, 0xE2, 0x3C, 0x83, 0x32, 0x40}};

// What a host gives a control it places on a window, before anything else: the
// window that holds it, and the notice that a saved property changed (named by its
// property-bag key) so a design environment knows the window must be saved again.
struct IControlSite : IUnknown {
  virtual HRESULT GetParentWindow(IDispatch** parent) = 0;
  virtual HRESULT OnPropertyChanged(std::u16string_view bagKey) = 0;

 protected:
  ~IControlSite() = default;
};
template <>
struct InterfaceId<IControlSite> {
  static constexpr IID value = IID_IControlSite;
};

constexpr IID IID_ISitedControl{0x3E7A91C4, 0x58B2, 0x4F0D, {0x9C, 0x16, 0x2B, 0x8E, 0x47, 0xD1, 0x6A, 0x03}};

// How a host hands a control its site, before anything else (a control's
// MiscStatus asks for that order): the control keeps the site to reach its parent
// window and to report changed properties.
struct ISitedControl : IUnknown {
  // Null takes the site away; the control then reports to nobody and has no parent.
  virtual HRESULT SetControlSite(IControlSite* site) = 0;

 protected:
  ~ISitedControl() = default;
};
template <>
struct InterfaceId<ISitedControl> {
  static constexpr IID value = IID_ISitedControl;
};

}  // namespace platform::automation
