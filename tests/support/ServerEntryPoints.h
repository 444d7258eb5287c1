#pragma once
// An in-process server's library opened a second time: the loader hands back the
// copy that object creation loaded, so its entry points see the objects made through it.
#include <platform/automation/InprocServer.h>
#include <dlfcn.h>

namespace tests::support {

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
  platform::automation::HRESULT registerServer() const {
    return get<platform::automation::DllRegisterServerFunction>("DllRegisterServer")();
  }
  platform::automation::HRESULT unregisterServer() const {
    return get<platform::automation::DllUnregisterServerFunction>("DllUnregisterServer")();
  }
  platform::automation::HRESULT canUnloadNow() const {
    return get<platform::automation::DllCanUnloadNowFunction>("DllCanUnloadNow")();
  }
  platform::automation::HRESULT getClassObject(const platform::automation::CLSID& clsid,
                                               const platform::automation::IID& iid, void** object) const {
    return get<platform::automation::DllGetClassObjectFunction>("DllGetClassObject")(clsid, iid, object);
  }

 private:
  void* handle_;
};

}  // namespace tests::support
