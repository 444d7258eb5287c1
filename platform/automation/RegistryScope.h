#pragma once
#include <filesystem>
#include <vector>

namespace platform::automation {

// The component registry has a part for every user of the computer and a part for
// each user, as the classic one has; a user's own registrations win over the
// computer's.
enum class RegistryScope { user, machine };

// The part DllRegisterServer and DllUnregisterServer change in this process: the
// user's unless a tool (regsvr --machine) chose the machine's before calling them.
// The entry points take no arguments, so the choice travels through this setting of
// the platform layer, which the tool and the library share.
void setRegistrationScope(RegistryScope scope);
RegistryScope registrationScope();

// The file of a scope, or for both the one AUTOMATION_REGISTRY names when set.
// The user's: "$XDG_DATA_HOME/mervalis/component-registry" (default "~/.local/share").
// The machine's: "mervalis/component-registry" in the first folder of
// $XDG_CONFIG_DIRS that holds one, else in its first folder; without the variable,
// in the configuration folder of the install prefix ("/etc/xdg" for "/usr").
std::filesystem::path registryPath(RegistryScope scope);

// The files a lookup reads, in order: the user's, then the machine's; only the one
// AUTOMATION_REGISTRY names when it is set.
std::vector<std::filesystem::path> lookupRegistryPaths();

}  // namespace platform::automation
