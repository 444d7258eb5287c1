#include <platform/automation/ObjectCreation.h>

#include <dlfcn.h>

#include <filesystem>
#include <map>
#include <mutex>
#include <optional>

#include <platform/automation/ClassFactory.h>
#include <platform/automation/InprocServer.h>
#include <platform/automation/RegistryFile.h>
#include <platform/automation/RegistryScope.h>

namespace platform::automation {
namespace {

// A library loaded for object creation. `creating` counts the creations under way
// in it: each holds a class factory of the library, which by convention does not
// keep the library loaded (DllCanUnloadNow may say S_OK meanwhile), so the loader
// never closes a library while it holds a pointer it obtained from it. The objects
// it hands out count in the library's own DllCanUnloadNow; the loader hands out
// nothing else.
struct LoadedLibrary {
  void* handle = nullptr;
  int creating = 0;
};

// Libraries loaded for object creation, by path. Creation and unloading hold the
// mutex, so another thread never closes a library between DllGetClassObject and the
// object's first reference. Recursive: a server may create other objects, or ask for
// unused libraries to be unloaded, while it creates one; `creating` covers that.
struct LoadedLibraries {
  std::recursive_mutex mutex;
  std::map<std::string, LoadedLibrary> libraries;
};

// Marks a library as holding a creation for as long as this lives.
class CreationUnderWay {
 public:
  explicit CreationUnderWay(LoadedLibrary& library) : library_(library) { ++library_.creating; }
  ~CreationUnderWay() { --library_.creating; }
  CreationUnderWay(const CreationUnderWay&) = delete;
  CreationUnderWay& operator=(const CreationUnderWay&) = delete;

 private:
  LoadedLibrary& library_;
};

LoadedLibraries& loadedLibraries() {
  static LoadedLibraries libraries;
  return libraries;
}

void setWhy(std::string* why, std::string text) {
  if (why) *why = std::move(text);
}

std::string loaderMessage() {
  const char* message = ::dlerror();
  return message ? message : "unknown loader error";
}

// The default value of `key` from the first registry file that holds it: the
// user's, then the machine's. `searched` names the files read, for a message.
HRESULT findValue(const std::string& key, std::optional<std::string>& value, std::string& searched, std::string* why) {
  value.reset();
  searched.clear();
  for (const auto& path : lookupRegistryPaths()) {
    RegistryTree tree;
    if (auto status = RegistryFile(path).read(tree); !status.ok()) {
      setWhy(why, status.message);
      return status.hr;
    }
    searched += (searched.empty() ? "" : " or ") + path.string();
    value = tree.value(key, "");
    if (value) {
      searched = path.string();
      return S_OK;
    }
  }
  return S_OK;
}

HRESULT serverPath(const CLSID& clsid, std::string& path, std::string* why) {
  const std::string classText = toRegistryText(clsid);
  std::optional<std::string> found;
  std::string searched;
  if (const HRESULT hr = findValue("CLSID\\" + classText + "\\InprocServer32", found, searched, why); failed(hr))
    return hr;
  if (!found || found->empty()) {
    setWhy(why, "class " + classText + " is not registered in " + searched);
    return REGDB_E_CLASSNOTREG;
  }
  path = *found;
  return S_OK;
}

HRESULT loadLibrary(const std::string& path, LoadedLibrary*& loaded, std::string* why) {
  auto& libraries = loadedLibraries().libraries;
  if (const auto cached = libraries.find(path); cached != libraries.end()) {
    loaded = &cached->second;
    return S_OK;
  }
  std::error_code error;
  if (!std::filesystem::exists(path, error)) {
    setWhy(why, "server library " + path + " does not exist");
    return CO_E_DLLNOTFOUND;
  }
  ::dlerror();
  void* handle = ::dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
  if (!handle) {
    setWhy(why, "server library " + path + " cannot be loaded: " + loaderMessage());
    return CO_E_ERRORINDLL;
  }
  loaded = &libraries.emplace(path, LoadedLibrary{handle}).first->second;
  return S_OK;
}

template <class Function>
Function entryPoint(void* handle, const char* name) {
  return reinterpret_cast<Function>(::dlsym(handle, name));
}

}  // namespace

HRESULT createInstance(const CLSID& clsid, const IID& iid, void** object, std::string* why) {
  if (!object) return E_POINTER;
  *object = nullptr;
  std::string path;
  if (const HRESULT hr = serverPath(clsid, path, why); failed(hr)) return hr;

  std::lock_guard lock(loadedLibraries().mutex);
  LoadedLibrary* library = nullptr;
  if (const HRESULT hr = loadLibrary(path, library, why); failed(hr)) return hr;
  const CreationUnderWay creation(*library);  // outlives `factory` below
  const auto getClassObject = entryPoint<DllGetClassObjectFunction>(library->handle, "DllGetClassObject");
  if (!getClassObject) {
    setWhy(why, "server library " + path + " does not export DllGetClassObject");
    return CO_E_ERRORINDLL;
  }
  ComPtr<IClassFactory> factory;
  HRESULT hr = getClassObject(clsid, IID_IClassFactory, factory.putVoid());
  if (succeeded(hr) && factory)
    hr = factory->CreateInstance(nullptr, iid, object);
  else if (succeeded(hr))
    hr = E_UNEXPECTED;
  if (failed(hr)) setWhy(why, "server library " + path + " could not create class " + toRegistryText(clsid));
  return hr;
}

HRESULT classIdFromProgId(std::string_view progId, CLSID* clsid, std::string* why) {
  if (!clsid) return E_POINTER;
  const std::string name(progId);
  if (!isValidKeyName(name)) {
    setWhy(why, "'" + name + "' is not a valid ProgID");
    return REGDB_E_CLASSNOTREG;
  }
  std::optional<std::string> text;
  std::string searched;
  if (const HRESULT hr = findValue(name + "\\CLSID", text, searched, why); failed(hr)) return hr;
  if (!text) {
    setWhy(why, "ProgID " + name + " is not registered in " + searched);
    return REGDB_E_CLASSNOTREG;
  }
  const auto parsed = guidFromRegistryText(*text);
  if (!parsed) {
    setWhy(why, "ProgID " + name + " names a malformed class identity '" + *text + "' in " + searched);
    return REGDB_E_CLASSNOTREG;
  }
  *clsid = *parsed;
  return S_OK;
}

HRESULT createInstanceByProgId(std::string_view progId, const IID& iid, void** object, std::string* why) {
  if (!object) return E_POINTER;
  *object = nullptr;
  CLSID clsid;
  if (const HRESULT hr = classIdFromProgId(progId, &clsid, why); failed(hr)) return hr;
  return createInstance(clsid, iid, object, why);
}

void unloadUnusedLibraries() {
  auto& libraries = loadedLibraries();
  std::lock_guard lock(libraries.mutex);
  std::erase_if(libraries.libraries, [](const auto& entry) {
    const LoadedLibrary& library = entry.second;
    if (library.creating > 0) return false;
    const auto canUnloadNow = entryPoint<DllCanUnloadNowFunction>(library.handle, "DllCanUnloadNow");
    if (!canUnloadNow || canUnloadNow() != S_OK) return false;
    ::dlclose(library.handle);
    return true;
  });
}

std::string libraryPathContaining(const void* address) {
  Dl_info info{};
  if (::dladdr(address, &info) == 0 || !info.dli_fname) return {};
  std::error_code error;
  const auto canonical = std::filesystem::weakly_canonical(info.dli_fname, error);
  return error ? std::string(info.dli_fname) : canonical.string();
}

}  // namespace platform::automation
