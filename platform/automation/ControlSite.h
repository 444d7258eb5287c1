#pragma once
#include <string_view>

#include "Unknown.h"

namespace automation {

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

}  // namespace automation
