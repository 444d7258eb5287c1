#include <platform/automation/RegistryScope.h>

#include <pwd.h>
#include <unistd.h>

#include <atomic>
#include <cstdlib>
#include <string_view>

namespace platform::automation {
namespace {

namespace fs = std::filesystem;

const fs::path kRegistryName = fs::path("mervalis") / "component-registry";

std::atomic<RegistryScope>& chosenScope() {
  static std::atomic<RegistryScope> scope{RegistryScope::user};
  return scope;
}

const char* overridingFile() {
  const char* chosen = std::getenv("AUTOMATION_REGISTRY");
  return chosen && *chosen ? chosen : nullptr;
}

fs::path dataHome() {
  if (const char* xdg = std::getenv("XDG_DATA_HOME"); xdg && fs::path(xdg).is_absolute()) return xdg;
  const char* home = std::getenv("HOME");
  if (!home || !*home) {
    if (const passwd* entry = ::getpwuid(::getuid())) home = entry->pw_dir;
  }
  return fs::path(home ? home : ".") / ".local" / "share";
}

// A relative entry in XDG_CONFIG_DIRS would name a different folder from every
// working directory, so only absolute ones are taken.
std::vector<fs::path> configFolders() {
  std::vector<fs::path> folders;
  std::string_view list = std::getenv("XDG_CONFIG_DIRS") ? std::getenv("XDG_CONFIG_DIRS") : "";
  while (!list.empty()) {
    const auto colon = list.find(':');
    const fs::path folder(list.substr(0, colon));
    if (folder.is_absolute()) folders.push_back(folder);
    list = colon == std::string_view::npos ? std::string_view() : list.substr(colon + 1);
  }
  if (folders.empty()) folders.push_back(AUTOMATION_MACHINE_CONFIG_DIR);
  return folders;
}

fs::path machineFile() {
  const auto folders = configFolders();
  std::error_code ignored;
  for (const auto& folder : folders)
    if (fs::exists(folder / kRegistryName, ignored)) return folder / kRegistryName;
  return folders.front() / kRegistryName;
}

}  // namespace

void setRegistrationScope(RegistryScope scope) { chosenScope() = scope; }

RegistryScope registrationScope() { return chosenScope(); }

fs::path registryPath(RegistryScope scope) {
  if (const char* file = overridingFile()) return fs::absolute(file);
  return scope == RegistryScope::machine ? machineFile() : dataHome() / kRegistryName;
}

std::vector<fs::path> lookupRegistryPaths() {
  if (const char* file = overridingFile()) return {fs::absolute(file)};
  return {registryPath(RegistryScope::user), registryPath(RegistryScope::machine)};
}

}  // namespace platform::automation
