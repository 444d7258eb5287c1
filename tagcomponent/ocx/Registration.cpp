#include <tagcomponent/ocx/Registration.h>

#include <platform/automation/Guid.h>

#include <tagcomponent/LyreboxIdentity.h>

namespace tagcomponent::ocx {

using platform::automation::toRegistryText;

namespace {

const std::string kClassKey = "CLSID\\" + toRegistryText(CLSID_Lyrebox);
const std::string kTypeLibKey = "TypeLib\\" + toRegistryText(LIBID_prjLyrebox);
const std::string kTypeLibVersionKey = kTypeLibKey + "\\1.0";

}  // namespace

std::vector<RegistryEntry> registrationEntries(const std::string& libraryPath) {
  const std::string classId = toRegistryText(CLSID_Lyrebox);
  return {
      {kTypeLibVersionKey, "", "Wendlow Lyrebox r/w Ocx"},
      {kTypeLibVersionKey + "\\FLAGS", "", "2"},  // LIBFLAG_FCONTROL
      {kTypeLibVersionKey + "\\0\\linux", "", libraryPath},
      {kTypeLibVersionKey + "\\HELPDIR", "", ""},
      {kClassKey, "", "Lyrebox"},
      {kClassKey + "\\InprocServer32", "", libraryPath},
      {kClassKey + "\\InprocServer32", "ThreadingModel", "Apartment"},
      {kClassKey + "\\ProgID", "", kProgId},
      {kClassKey + "\\Control", "", ""},
      {kClassKey + "\\MiscStatus", "", "132497"},
      {kClassKey + "\\ToolboxBitmap32", "", libraryPath + ", 30000"},
      {kClassKey + "\\TypeLib", "", toRegistryText(LIBID_prjLyrebox)},
      {kClassKey + "\\Version", "", "1.0"},
      {kProgId, "", "Lyrebox"},
      {std::string(kProgId) + "\\CLSID", "", classId},
  };
}

platform::automation::HRESULT registerComponent(platform::automation::RegistryTree& tree,
                                                const std::string& libraryPath) {
  for (const RegistryEntry& entry : registrationEntries(libraryPath)) {
    platform::automation::RegistryKey* key = tree.createKey(entry.key);
    if (!key || !key->setValue(entry.name, entry.value)) return platform::automation::E_FAIL;
  }
  return platform::automation::S_OK;
}

platform::automation::HRESULT unregisterComponent(platform::automation::RegistryTree& tree) {
  tree.deleteKeyTree(kClassKey);
  const auto progIdClass = tree.value(std::string(kProgId) + "\\CLSID", "");
  if (progIdClass && platform::automation::guidFromRegistryText(*progIdClass) == CLSID_Lyrebox)
    tree.deleteKeyTree(kProgId);
  tree.deleteKeyTree(kTypeLibVersionKey);
  if (const auto* library = tree.findKey(kTypeLibKey); library && library->empty()) tree.deleteKeyTree(kTypeLibKey);
  return platform::automation::S_OK;
}

}  // namespace tagcomponent::ocx
