#pragma once
#include <platform/automation/Unknown.h>

namespace platform::automation {

// Makes instances of one class; what DllGetClassObject hands out.
struct IClassFactory : IUnknown {
  // `outer` must be null: our components do not support aggregation.
  virtual HRESULT CreateInstance(IUnknown* outer, const IID& iid, void** object) = 0;
  // Holds the library loaded while no object of it lives.
  virtual HRESULT LockServer(bool lock) = 0;

 protected:
  ~IClassFactory() = default;
};
template <>
struct InterfaceId<IClassFactory> {
  static constexpr IID value = IID_IClassFactory;
};

}  // namespace platform::automation
