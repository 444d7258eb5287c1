#pragma once
#include <platform/automation/ClassFactory.h>
#include <platform/automation/ComObject.h>
#include <platform/automation/Guarded.h>

namespace platform::automation {

// The class factory of one class T (made by makeObject<T>()), and the body of
// DllGetClassObject for a library serving that one class. The factory itself does
// not keep the library loaded; LockServer does.
template <class T>
class ClassFactoryOf : public ComObject<IClassFactory> {
 public:
  HRESULT CreateInstance(IUnknown* outer, const IID& iid, void** object) override {
    if (!object) return E_POINTER;
    *object = nullptr;
    if (outer) return CLASS_E_NOAGGREGATION;
    return guarded([&] { return makeObject<T>()->QueryInterface(iid, object); });
  }
  HRESULT LockServer(bool lock) override {
    if (lock)
      thisLibraryCounter().lock();
    else
      thisLibraryCounter().unlock();
    return S_OK;
  }

 protected:
  ClassFactoryOf() : ComObject<IClassFactory>(NotCountedForUnloading{}) {}
};

template <class T>
HRESULT getClassObjectOf(const CLSID& served, const CLSID& requested, const IID& iid, void** object) {
  if (!object) return E_POINTER;
  *object = nullptr;
  if (requested != served) return CLASS_E_CLASSNOTAVAILABLE;
  return guarded([&] { return makeObject<ClassFactoryOf<T>>()->QueryInterface(iid, object); });
}

}  // namespace platform::automation
