#pragma once
#include <string>
#include <string_view>

#include <platform/automation/ComPtr.h>
#include <platform/automation/Guid.h>
#include <platform/automation/HResult.h>

namespace platform::automation {

// Creates an object of a registered class in this process: the class's
// InprocServer32 library from the registry, loaded with dlopen, asked through
// DllGetClassObject for its class factory, which makes the object.
//  - class not registered (or no server path): REGDB_E_CLASSNOTREG
//  - registry unreadable or malformed: REGDB_E_READREGDB
//  - library missing: CO_E_DLLNOTFOUND; not loadable or without the entry point:
//    CO_E_ERRORINDLL; otherwise the server's own answer.
// On failure `why` (if given) receives a sentence naming the class, path and loader
// message. A loaded library stays loaded for the process's life unless
// unloadUnusedLibraries() finds it unused.
HRESULT createInstance(const CLSID& clsid, const IID& iid, void** object, std::string* why = nullptr);
HRESULT createInstanceByProgId(std::string_view progId, const IID& iid, void** object, std::string* why = nullptr);

template <class Interface>
HRESULT createInstanceByProgId(std::string_view progId, ComPtr<Interface>& object, std::string* why = nullptr) {
  return createInstanceByProgId(progId, InterfaceId<Interface>::value, object.putVoid(), why);
}

// The class identity a ProgID names ("ProgID\CLSID" default value).
HRESULT classIdFromProgId(std::string_view progId, CLSID* clsid, std::string* why = nullptr);

// Unloads every library loaded for object creation whose DllCanUnloadNow answers
// S_OK. Safe at any time, also from a server in the middle of a creation: a library
// answers S_OK only when none of its objects and no class-factory lock is left, and
// a library whose class factory the loader holds for a creation is not closed.
// A factory obtained from a library's DllGetClassObject by other means keeps the
// library only while LockServer(true) holds it, as the convention says.
void unloadUnusedLibraries();

// The path of the loaded library that holds `address`, as the dynamic loader knows
// it; a server passes the address of one of its own functions to learn where it lives.
std::string libraryPathContaining(const void* address);

}  // namespace platform::automation
