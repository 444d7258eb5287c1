#pragma once
// How a host hands a control its site, before anything else (the class's
// MiscStatus asks for that order): the control keeps the site to reach its parent
// window and to report changed properties.
#include <automation/ControlSite.h>

namespace lyrebox {

constexpr automation::IID IID_ISitedControl{
    0x3E7A91C4, 0x58B2, 0x4F0D, {0x9C, 0x16, 0x2B, 0x8E, 0x47, 0xD1, 0x6A, 0x03}};

struct ISitedControl : automation::IUnknown {
  // Null takes the site away; the control then reports to nobody and has no parent.
  virtual automation::HRESULT SetControlSite(automation::IControlSite* site) = 0;

 protected:
  ~ISitedControl() = default;
};

}  // namespace lyrebox

template <>
struct automation::InterfaceId<lyrebox::ISitedControl> {
  static constexpr automation::IID value = lyrebox::IID_ISitedControl;
};
