#pragma once
// The four entry points every in-process server library exports by name, with C
// linkage, and the function types the loader looks them up as. A server library
// includes this header and defines them; they stay visible even when the library
// hides everything else.
#include <platform/automation/Guid.h>
#include <platform/automation/HResult.h>

#define AUTOMATION_SERVER_EXPORT __attribute__((visibility("default")))

extern "C" {
AUTOMATION_SERVER_EXPORT platform::automation::HRESULT DllRegisterServer();
AUTOMATION_SERVER_EXPORT platform::automation::HRESULT DllUnregisterServer();
AUTOMATION_SERVER_EXPORT platform::automation::HRESULT DllGetClassObject(const platform::automation::CLSID& clsid,
                                                                         const platform::automation::IID& iid,
                                                                         void** object);
AUTOMATION_SERVER_EXPORT platform::automation::HRESULT DllCanUnloadNow();
}

namespace platform::automation {
using DllRegisterServerFunction = HRESULT (*)();
using DllUnregisterServerFunction = HRESULT (*)();
using DllGetClassObjectFunction = HRESULT (*)(const CLSID&, const IID&, void**);
using DllCanUnloadNowFunction = HRESULT (*)();
}  // namespace platform::automation
