#pragma once
// An in-process server's library opened a second time: the loader hands back the
// copy that object creation loaded, so its entry points see the objects made through it.
#include <platform/automation/InprocServer.h>
#include <dlfcn.h>

namespace testing_support {

class ServerEntryPoints {
 public:
  explicit ServerEntryPoints(const char* path) : handle_(::dlopen(path, RTLD_NOW | RTLD_LOCAL)) {}
  ServerEntryPoints(const ServerEntryPoints&) = delete;
  ServerEntryPoints& operator=(const ServerEntryPoints&) = delete;
  ~ServerEntryPoints() { close(); }
  // Leaves the library to the loader's other handles alone.
  void close() {
    if (handle_) ::dlclose(handle_);
    handle_ = nullptr;
  }

  bool loaded() const { return handle_ != nullptr; }
  template <class Function>
  Function get(const char* name) const {
    return reinterpret_cast<Function>(::dlsym(handle_, name));
  }
  automation::HRESULT registerServer() const {
    return get<automation::DllRegisterServerFunction>("DllRegisterServer")();
  }
  automation::HRESULT unregisterServer() const {
    return get<automation::DllUnregisterServerFunction>("DllUnregisterServer")();
  }
  automation::HRESULT canUnloadNow() const { return get<automation::DllCanUnloadNowFunction>("DllCanUnloadNow")(); }
  automation::HRESULT getClassObject(const automation::CLSID& clsid, const automation::IID& iid, void** object) const {
    return get<automation::DllGetClassObjectFunction>("DllGetClassObject")(clsid, iid, object);
  }

 private:
  void* handle_;
};

}  // namespace testing_support
