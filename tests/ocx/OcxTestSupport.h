#pragma once
// The built Lyrebox.ocx as a host meets it: registered in a registry in a
// temporary folder, created by its ProgID, called late-bound.
#include <platform/automation/ClassFactory.h>
#include <platform/automation/ComObject.h>
#include <platform/automation/Dispatch.h>
#include <platform/automation/InprocServer.h>
#include <platform/automation/ObjectCreation.h>
#include <dlfcn.h>
#include <gtest/gtest.h>
#include <tagcomponent/LyreboxIdentity.h>

#include <cstdio>
#include <stdexcept>
#include <string>
#include <vector>

#include <tests/support/RunProgram.h>
#include <tests/support/ServerEntryPoints.h>
#include <tests/support/TemporaryFolder.h>

namespace ocxtest {

using namespace testing_support;

using namespace automation;

// The built component's entry points, as a host reaches them.
class LyreboxLibrary : public testing_support::ServerEntryPoints {
 public:
  LyreboxLibrary() : ServerEntryPoints(LYREBOX_PATH) {}
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
