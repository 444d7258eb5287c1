// The library's four entry points: each hands the call to the object layer and
// the registry with this component's own description, behind the exception fence.
#include <platform/automation/ClassFactoryOf.h>
#include <platform/automation/Guarded.h>
#include <platform/automation/InprocServer.h>
#include <platform/automation/ObjectCreation.h>
#include <platform/automation/RegistryFile.h>

#include <tagcomponent/Lyrebox.h>
#include <tagcomponent/LyreboxIdentity.h>
#include <tagcomponent/ocx/Registration.h>

AUTOMATION_DEFINE_LIBRARY_COUNTER()

using platform::automation::HRESULT;

HRESULT DllGetClassObject(const platform::automation::CLSID& clsid, const platform::automation::IID& iid,
                          void** object) {
  return platform::automation::getClassObjectOf<tagcomponent::Lyrebox>(tagcomponent::CLSID_Lyrebox, clsid, iid, object);
}

HRESULT DllCanUnloadNow() { return platform::automation::thisLibraryCounter().canUnloadNow(); }

HRESULT DllRegisterServer() {
  return platform::automation::guarded([] {
    const std::string path =
        platform::automation::libraryPathContaining(reinterpret_cast<const void*>(&DllRegisterServer));
    if (path.empty()) return platform::automation::E_FAIL;
    return platform::automation::updateRegistry([&](platform::automation::RegistryTree& tree) {
             return tagcomponent::ocx::registerComponent(tree, path);
           })
        .hr;
  });
}

HRESULT DllUnregisterServer() {
  return platform::automation::guarded([] {
    return platform::automation::updateRegistry(
               [](platform::automation::RegistryTree& tree) { return tagcomponent::ocx::unregisterComponent(tree); })
        .hr;
  });
}
