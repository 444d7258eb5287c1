#pragma once
#include <filesystem>
#include <functional>
#include <string>

#include <platform/automation/HResult.h>
#include <platform/automation/RegistryTree.h>

namespace platform::automation {

// Outcome of a registry operation: on failure a code (REGDB_E_READREGDB,
// REGDB_E_WRITEREGDB, or what a transaction returned) and a message naming the
// file, and for a malformed file the line.
struct RegistryStatus {
  HRESULT hr = S_OK;
  std::string message;
  bool ok() const { return succeeded(hr); }
};

// One registry file. Reads need no lock: writers replace the file in one rename.
// Writers take an exclusive lock on "<file>.lock" beside it for the whole
// read-change-write, so concurrent registrations never lose each other's entries,
// and a writer killed at any moment leaves the previous file in place.
class RegistryFile {
 public:
  explicit RegistryFile(const std::filesystem::path& file) : file_(std::filesystem::absolute(file)) {}
  // The file of this process's registration scope (the user's unless a tool chose the
  // machine's), or the one the environment variable AUTOMATION_REGISTRY names.
  static RegistryFile standard();

  const std::filesystem::path& path() const { return file_; }

  // A file that does not exist reads as an empty registry.
  RegistryStatus read(RegistryTree& tree) const;
  // Reads the registry, lets `change` edit it, and writes it back unless `change`
  // fails (its code is returned and nothing is written) or changed nothing. A file
  // that cannot be read is never overwritten.
  RegistryStatus update(const std::function<HRESULT(RegistryTree&)>& change) const;

 private:
  RegistryStatus readTree(RegistryTree& tree) const;
  RegistryStatus readChangeAndWrite(const std::function<HRESULT(RegistryTree&)>& change) const;

  std::filesystem::path file_;
};

// "$AUTOMATION_REGISTRY", else "$XDG_DATA_HOME/mervalis/component-registry" with the
// data folder defaulting to "~/.local/share".
std::filesystem::path standardRegistryPath();

// The same operations on the standard file, for components registering themselves
// in the scope the calling tool chose.
RegistryStatus readRegistry(RegistryTree& tree);
RegistryStatus updateRegistry(const std::function<HRESULT(RegistryTree&)>& change);

// The outcome of this thread's last RegistryFile read or update. DllRegisterServer
// can hand back only a code; a tool that called it reads here which file failed and
// why, as the classic platform's per-thread error object tells a caller.
RegistryStatus lastRegistryOutcome();

}  // namespace platform::automation
