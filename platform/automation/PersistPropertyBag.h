#pragma once
#include <platform/automation/PropertyBag.h>
#include <platform/automation/Unknown.h>

namespace platform::automation {

// What a control answers so its host can keep its properties in a window
// description. For each instance the host calls exactly one of InitNew and Load,
// before any other member; Save may follow any number of times.
struct IPersistPropertyBag : IUnknown {
  // A new instance with no saved state: take the defaults.
  virtual HRESULT InitNew() = 0;
  // Restore from a saved bag; keys not in it take their defaults.
  virtual HRESULT Load(IPropertyBag* bag) = 0;
  // Write every property that differs from its default into `bag`.
  virtual HRESULT Save(IPropertyBag* bag) = 0;

 protected:
  ~IPersistPropertyBag() = default;
};
template <>
struct InterfaceId<IPersistPropertyBag> {
  static constexpr IID value = IID_IPersistPropertyBag;
};

}  // namespace platform::automation
