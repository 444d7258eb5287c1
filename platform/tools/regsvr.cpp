// regsvr [-u] LIBRARY: registers an in-process server library by calling its
// DllRegisterServer, or with -u unregisters it through DllUnregisterServer.
#include <dlfcn.h>

#include <cstring>
#include <filesystem>
#include <iostream>
#include <string>

#include <automation/InprocServer.h>
#include <automation/RegistryFile.h>

#include "DispatchCall.h"

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
std::string registryCause(automation::HRESULT hr) {
  const automation::RegistryStatus outcome = automation::lastRegistryOutcome();
  return !outcome.ok() && outcome.hr == hr ? outcome.message : std::string();
}

int usage() {
  std::cerr << "usage: regsvr [-u] LIBRARY\n";
  return 2;
}

}  // namespace

int main(int argc, char** argv) {
  const bool unregister = argc == 3 && std::strcmp(argv[1], "-u") == 0;
  if (argc != (unregister ? 3 : 2) || argv[argc - 1][0] == '-') return usage();

  std::error_code error;
  const std::string path = std::filesystem::absolute(argv[argc - 1], error).string();
  const char* entryName = unregister ? "DllUnregisterServer" : "DllRegisterServer";
  if (!std::filesystem::exists(path, error)) {
    std::cerr << "regsvr: " << path << " does not exist\n";
    return 1;
  }
  LoadedLibrary library(path);
  if (!library.get()) {
    std::cerr << "regsvr: cannot load " << path << ": " << ::dlerror() << "\n";
    return 1;
  }
  const auto entry = reinterpret_cast<automation::DllRegisterServerFunction>(::dlsym(library.get(), entryName));
  if (!entry) {
    std::cerr << "regsvr: " << path << " does not export " << entryName << "\n";
    return 1;
  }
  const automation::HRESULT hr = entry();
  if (automation::failed(hr)) {
    std::cerr << "regsvr: " << entryName << " in " << path << " failed: " << tools::formatFailure(registryCause(hr), hr)
              << "\n";
    return 1;
  }
  std::cout << "regsvr: " << entryName << " in " << path << " succeeded\n";
  return 0;
}
