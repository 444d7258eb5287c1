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

namespace tests::ocx {

// The built component's entry points, as a host reaches them.
class LyreboxLibrary : public support::ServerEntryPoints {
 public:
  LyreboxLibrary() : support::ServerEntryPoints(LYREBOX_PATH) {}
};

// A registry of its own with the component registered in it.
class RegisteredLyrebox : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(library.loaded()) << ::dlerror();
    ASSERT_EQ(library.registerServer(), platform::automation::S_OK);
  }
  platform::automation::ComPtr<platform::automation::IDispatch> create() {
    platform::automation::ComPtr<platform::automation::IDispatch> object;
    std::string why;
    EXPECT_EQ(platform::automation::createInstanceByProgId(::tagcomponent::kProgId, object, &why),
              platform::automation::S_OK)
        << why;
    return object;
  }

  support::RegistryInTemporaryFolder registry;
  LyreboxLibrary library;
};

// One Invoke with positional arguments given first-to-last; a put passes its one
// argument as the named DISPID_PROPERTYPUT.
inline platform::automation::HRESULT invoke(platform::automation::IDispatch* object, platform::automation::DISPID id,
                                            std::uint16_t flags,
                                            std::vector<platform::automation::Variant> arguments = {},
                                            platform::automation::Variant* result = nullptr) {
  std::vector<platform::automation::Variant> reversed(arguments.rbegin(), arguments.rend());
  platform::automation::DISPID named = platform::automation::DISPID_PROPERTYPUT;
  platform::automation::DISPPARAMS params{reversed.data(), nullptr, static_cast<std::uint32_t>(reversed.size()), 0};
  if (flags & platform::automation::DISPATCH_PROPERTYPUT) {
    params.rgdispidNamedArgs = &named;
    params.cNamedArgs = 1;
  }
  std::uint32_t argumentError = 0;
  return object->Invoke(id, platform::automation::GUID_NULL, platform::automation::LOCALE_NEUTRAL, flags, &params,
                        result, nullptr, &argumentError);
}

}  // namespace tests::ocx
