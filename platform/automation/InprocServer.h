#pragma once
// The four entry points every in-process server library exports by name, with C
// linkage, and the function types the loader looks them up as. A server library
// includes this header and defines them; they stay visible even when the library
// hides everything else.
#include <platform/automation/Guid.h>
#include <platform/automation/HResult.h>

#define AUTOMATION_SERVER_EXPORT __attribute__((visibility("default")))

extern "C" {
AUTOMATION_SERVER_EXPORT automation::HRESULT DllRegisterServer();
AUTOMATION_SERVER_EXPORT automation::HRESULT DllUnregisterServer();
AUTOMATION_SERVER_EXPORT automation::HRESULT DllGetClassObject(const automation::CLSID& clsid,
                                                               const automation::IID& iid, void** object);
AUTOMATION_SERVER_EXPORT automation::HRESULT DllCanUnloadNow();
}

namespace automation {
using DllRegisterServerFunction = HRESULT (*)();
using DllUnregisterServerFunction = HRESULT (*)();
using DllGetClassObjectFunction = HRESULT (*)(const CLSID&, const IID&, void**);
using DllCanUnloadNowFunction = HRESULT (*)();
}  // namespace automation
