#pragma once
#include <atomic>
#include <cstdint>
#include <new>
#include <type_traits>
#include <utility>

#include <platform/automation/ComPtr.h>
#include <platform/automation/Dispatch.h>
#include <platform/automation/LibraryCounter.h>
#include <platform/automation/Unknown.h>

namespace platform::automation {

// Reference counting and QueryInterface for an object implementing `Interfaces`.
// The object counts towards its library's DllCanUnloadNow while it lives, except
// a class factory, which is made with NotCountedForUnloading. Derived
// classes keep their constructors and destructor protected: objects are made only
// by makeObject and end only through Release.
template <class First, class... Rest>
class ComObject : public First, public Rest... {
 public:
  HRESULT QueryInterface(const IID& iid, void** object) override {
    if (!object) return E_POINTER;
    *object = findInterface(iid);
    if (!*object) return E_NOINTERFACE;
    AddRef();
    return S_OK;
  }
  std::uint32_t AddRef() override { return ++references_; }
  std::uint32_t Release() override {
    const std::uint32_t left = --references_;
    if (left == 0) delete this;
    return left;
  }

  ComObject(const ComObject&) = delete;
  ComObject& operator=(const ComObject&) = delete;

 protected:
  ComObject() { thisLibraryCounter().objectCreated(); }
  // By convention a held class factory does not keep its library loaded; only
  // IClassFactory::LockServer does. A host that keeps a factory must lock.
  struct NotCountedForUnloading {};
  explicit ComObject(NotCountedForUnloading) : counted_(false) {}
  virtual ~ComObject() {
    if (counted_) thisLibraryCounter().objectDestroyed();
  }

  // The interface pointer for `iid`, or null. Answers IUnknown, each listed interface,
  // and IDispatch for a listed dual interface; override to answer more.
  virtual void* findInterface(const IID& iid) {
    if (iid == IID_IUnknown) return static_cast<IUnknown*>(static_cast<First*>(this));
    void* found = match<First>(iid);
    ((found = found ? found : match<Rest>(iid)), ...);
    return found;
  }

 private:
  template <class Interface>
  void* match(const IID& iid) {
    if (iid == InterfaceId<Interface>::value) return static_cast<Interface*>(this);
    if constexpr (std::is_base_of_v<IDispatch, Interface> && !std::is_same_v<IDispatch, Interface>) {
      if (iid == IID_IDispatch) return static_cast<IDispatch*>(static_cast<Interface*>(this));
    }
    return nullptr;
  }

  std::atomic<std::uint32_t> references_{0};
  const bool counted_ = true;
};

namespace detail {
// Gives makeObject access to protected constructors without opening them to anyone.
template <class T>
class Made final : public T {
 public:
  template <class... Args>
  explicit Made(Args&&... args) : T(std::forward<Args>(args)...) {}
};
}  // namespace detail

// The one place objects are made; the caller holds the first reference.
template <class T, class... Args>
ComPtr<T> makeObject(Args&&... args) {
  T* object = new detail::Made<T>(std::forward<Args>(args)...);
  return ComPtr<T>(object);
}

}  // namespace platform::automation
