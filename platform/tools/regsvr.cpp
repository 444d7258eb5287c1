// regsvr [-u] [--machine] LIBRARY: registers an in-process server library by calling
// its DllRegisterServer, or with -u unregisters it through DllUnregisterServer; in
// the user's registry, or with --machine (root only) in the one of every user.
#include <dlfcn.h>
#include <unistd.h>

#include <filesystem>
#include <iostream>
#include <string>

#include <platform/automation/InprocServer.h>
#include <platform/automation/RegistryFile.h>
#include <platform/automation/RegistryScope.h>

#include <platform/tools/DispatchCall.h>

namespace {

// Closes the library when the tool is done with it.
class LoadedLibrary {
 public:
  explicit LoadedLibrary(const std::string& path) : handle_(::dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL)) {}
  LoadedLibrary(const LoadedLibrary&) = delete;
  LoadedLibrary& operator=(const LoadedLibrary&) = delete;
  ~LoadedLibrary() {
    if (handle_) ::dlclose(handle_);
  }
  void* get() const { return handle_; }

 private:
  void* handle_;
};

// What the registry said when the entry point failed because of it: the entry point
// can only return a code, but the registry code it ran keeps the file and the cause.
std::string registryCause(platform::automation::HRESULT hr) {
  const platform::automation::RegistryStatus outcome = platform::automation::lastRegistryOutcome();
  return !outcome.ok() && outcome.hr == hr ? outcome.message : std::string();
}

int usage() {
  std::cerr << "usage: regsvr [-u] [--machine] LIBRARY\n";
  return 2;
}

struct Options {
  bool unregister = false;
  bool machine = false;
  std::string library;
};

// Options in any order before the library; false for anything else.
bool parseOptions(int argc, char** argv, Options& options) {
  for (int i = 1; i < argc; ++i) {
    const std::string argument = argv[i];
    if (argument == "-u" && !options.unregister)
      options.unregister = true;
    else if (argument == "--machine" && !options.machine)
      options.machine = true;
    else if (i == argc - 1 && !argument.starts_with('-'))
      options.library = argument;
    else
      return false;
  }
  return !options.library.empty();
}

// Every user of the computer reads the machine's registry, so only root changes it.
bool mayChangeMachineRegistry() {
  if (::geteuid() == 0) return true;
  std::cerr << "regsvr: --machine changes the registry of every user of this computer ("
            << platform::automation::registryPath(platform::automation::RegistryScope::machine).string()
            << ") and needs root: run it with sudo, or leave out --machine to change only yours\n";
  return false;
}

}  // namespace

int main(int argc, char** argv) {
  Options options;
  if (!parseOptions(argc, argv, options)) return usage();
  if (options.machine && !mayChangeMachineRegistry()) return 1;
  platform::automation::setRegistrationScope(options.machine ? platform::automation::RegistryScope::machine
                                                             : platform::automation::RegistryScope::user);

  std::error_code error;
  const std::string path = std::filesystem::absolute(options.library, error).string();
  const char* entryName = options.unregister ? "DllUnregisterServer" : "DllRegisterServer";
  if (!std::filesystem::exists(path, error)) {
    std::cerr << "regsvr: " << path << " does not exist\n";
    return 1;
  }
  LoadedLibrary library(path);
  if (!library.get()) {
    std::cerr << "regsvr: cannot load " << path << ": " << ::dlerror() << "\n";
    return 1;
  }
  const auto entry =
      reinterpret_cast<platform::automation::DllRegisterServerFunction>(::dlsym(library.get(), entryName));
  if (!entry) {
    std::cerr << "regsvr: " << path << " does not export " << entryName << "\n";
    return 1;
  }
  const platform::automation::HRESULT hr = entry();
  if (platform::automation::failed(hr)) {
    std::cerr << "regsvr: " << entryName << " in " << path
              << " failed: " << platform::tools::formatFailure(registryCause(hr), hr) << "\n";
    return 1;
  }
  std::cout << "regsvr: " << entryName << " in " << path << " succeeded\n";
  return 0;
}
