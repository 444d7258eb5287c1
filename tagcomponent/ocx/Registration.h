#pragma once
// What registering the component leaves in the component registry.
#include <platform/automation/HResult.h>
#include <platform/automation/RegistryTree.h>

#include <string>
#include <vector>

namespace tagcomponent::ocx {

struct RegistryEntry {
  std::string key;   // path below the root, parts joined by '\'
  std::string name;  // "" for the key's default value
  std::string value;
};

// Every entry DllRegisterServer writes, for the library at `libraryPath`.
std::vector<RegistryEntry> registrationEntries(const std::string& libraryPath);

// Writes the entries; E_FAIL if the registry refuses a name.
platform::automation::HRESULT registerComponent(platform::automation::RegistryTree& tree,
                                                const std::string& libraryPath);
// Removes the keys registration made, and nothing else: the ProgID only while it
// still names this class, the type library's version 1.0 only, and the shared
// parent keys (CLSID, TypeLib) never.
platform::automation::HRESULT unregisterComponent(platform::automation::RegistryTree& tree);

}  // namespace tagcomponent::ocx
