#pragma once
// The built Lyrebox.ocx as a host meets it: registered in a registry in a
// temporary folder, created by its ProgID, called late-bound.
#include <automation/ClassFactory.h>
#include <automation/ComObject.h>
#include <automation/Dispatch.h>
#include <automation/InprocServer.h>
#include <automation/ObjectCreation.h>
#include <dlfcn.h>
#include <gtest/gtest.h>
#include <tagcomponent/LyreboxIdentity.h>

#include <cstdio>
#include <stdexcept>
#include <string>
#include <vector>

#include <support/RunProgram.h>
#include <support/TemporaryFolder.h>

namespace ocxtest {

using namespace testing_support;

using namespace automation;

// The library opened a second time: the loader hands back the copy that
// createInstance loaded, so its entry points see the objects made through it.
class LyreboxLibrary {
 public:
  LyreboxLibrary() : handle_(::dlopen(LYREBOX_PATH, RTLD_NOW | RTLD_LOCAL)) {}
  LyreboxLibrary(const LyreboxLibrary&) = delete;
  LyreboxLibrary& operator=(const LyreboxLibrary&) = delete;
  ~LyreboxLibrary() {
    if (handle_) ::dlclose(handle_);
  }
  bool loaded() const { return handle_ != nullptr; }
  template <class Function>
  Function get(const char* name) const {
    return reinterpret_cast<Function>(::dlsym(handle_, name));
  }
  HRESULT registerServer() const { return get<DllRegisterServerFunction>("DllRegisterServer")(); }
  HRESULT unregisterServer() const { return get<DllUnregisterServerFunction>("DllUnregisterServer")(); }
  HRESULT canUnloadNow() const { return get<DllCanUnloadNowFunction>("DllCanUnloadNow")(); }
  HRESULT getClassObject(const CLSID& clsid, const IID& iid, void** object) const {
    return get<DllGetClassObjectFunction>("DllGetClassObject")(clsid, iid, object);
  }

 private:
  void* handle_;
};

// A registry of its own with the component registered in it.
class RegisteredLyrebox : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(library.loaded()) << ::dlerror();
    ASSERT_EQ(library.registerServer(), S_OK);
  }
  ComPtr<IDispatch> create() {
    ComPtr<IDispatch> object;
    std::string why;
    EXPECT_EQ(createInstanceByProgId(lyrebox::kProgId, object, &why), S_OK) << why;
    return object;
  }

  RegistryInTemporaryFolder registry;
  LyreboxLibrary library;
};

// One Invoke with positional arguments given first-to-last; a put passes its one
// argument as the named DISPID_PROPERTYPUT.
inline HRESULT invoke(IDispatch* object, DISPID id, std::uint16_t flags, std::vector<Variant> arguments = {},
                      Variant* result = nullptr) {
  std::vector<Variant> reversed(arguments.rbegin(), arguments.rend());
  DISPID named = DISPID_PROPERTYPUT;
  DISPPARAMS params{reversed.data(), nullptr, static_cast<std::uint32_t>(reversed.size()), 0};
  if (flags & DISPATCH_PROPERTYPUT) {
    params.rgdispidNamedArgs = &named;
    params.cNamedArgs = 1;
  }
  std::uint32_t argumentError = 0;
  return object->Invoke(id, GUID_NULL, LOCALE_NEUTRAL, flags, &params, result, nullptr, &argumentError);
}

}  // namespace ocxtest
