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

using automation::HRESULT;

HRESULT DllGetClassObject(const automation::CLSID& clsid, const automation::IID& iid, void** object) {
  return automation::getClassObjectOf<lyrebox::Lyrebox>(lyrebox::CLSID_Lyrebox, clsid, iid, object);
}

HRESULT DllCanUnloadNow() { return automation::thisLibraryCounter().canUnloadNow(); }

HRESULT DllRegisterServer() {
  return automation::guarded([] {
    const std::string path = automation::libraryPathContaining(reinterpret_cast<const void*>(&DllRegisterServer));
    if (path.empty()) return automation::E_FAIL;
    return automation::updateRegistry(
               [&](automation::RegistryTree& tree) { return lyrebox::registerComponent(tree, path); })
        .hr;
  });
}

HRESULT DllUnregisterServer() {
  return automation::guarded([] {
    return automation::updateRegistry([](automation::RegistryTree& tree) { return lyrebox::unregisterComponent(tree); })
        .hr;
  });
}
