#include <platform/automation/RegistryFile.h>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <vector>

#include <platform/automation/RegistryScope.h>
#include <platform/automation/RegistryText.h>
#include <platform/filesystem/RemovedUnlessKept.h>

namespace platform::automation {
namespace {

namespace fs = std::filesystem;

// Closes the descriptor it owns.
class FileDescriptor {
 public:
  explicit FileDescriptor(int fd) : fd_(fd) {}
  FileDescriptor(const FileDescriptor&) = delete;
  FileDescriptor& operator=(const FileDescriptor&) = delete;
  ~FileDescriptor() {
    if (fd_ >= 0) ::close(fd_);
  }
  int get() const { return fd_; }
  explicit operator bool() const { return fd_ >= 0; }
  // Closes now, reporting failure (a late write error shows up here).
  bool close() { return ::close(std::exchange(fd_, -1)) == 0; }

 private:
  int fd_;
};

std::string systemError(const fs::path& file, const std::string& action, int error) {
  return file.string() + ": " + action + ": " + std::strerror(error);
}

std::string systemError(const fs::path& file, const std::string& action) { return systemError(file, action, errno); }

RegistryStatus failure(HRESULT hr, std::string message) { return RegistryStatus{hr, std::move(message)}; }

std::string temporaryPrefix(const fs::path& file) { return file.filename().string() + ".tmp."; }

bool writeAll(int fd, std::string_view data) {
  while (!data.empty()) {
    const ssize_t written = ::write(fd, data.data(), data.size());
    if (written < 0 && errno == EINTR) continue;
    if (written <= 0) return false;
    data.remove_prefix(static_cast<std::size_t>(written));
  }
  return true;
}

RegistryStatus readText(const fs::path& file, std::string& text, bool& exists) {
  text.clear();
  FileDescriptor fd(::open(file.c_str(), O_RDONLY | O_CLOEXEC));
  exists = static_cast<bool>(fd) || errno != ENOENT;
  if (!fd) return exists ? failure(REGDB_E_READREGDB, systemError(file, "cannot open")) : RegistryStatus{};
  char buffer[65536];
  for (;;) {
    const ssize_t got = ::read(fd.get(), buffer, sizeof buffer);
    if (got < 0 && errno == EINTR) continue;
    if (got < 0) return failure(REGDB_E_READREGDB, systemError(file, "cannot read"));
    if (got == 0) return {};
    text.append(buffer, static_cast<std::size_t>(got));
  }
}

// Temporary files are only written under the lock, so any found while holding it
// were left by a writer that died.
void removeAbandonedTemporaries(const fs::path& file) {
  std::error_code ignored;
  const std::string prefix = temporaryPrefix(file);
  std::vector<fs::path> abandoned;
  for (const auto& entry : fs::directory_iterator(file.parent_path(), ignored))
    if (entry.path().filename().string().starts_with(prefix)) abandoned.push_back(entry.path());
  for (const auto& path : abandoned) fs::remove(path, ignored);
}

// Writes a temporary file beside the registry, flushes it, renames it over the
// registry, and flushes the folder so the rename itself survives a crash.
RegistryStatus replaceAtomically(const fs::path& file, std::string_view text) {
  std::string pattern = (file.parent_path() / (temporaryPrefix(file) + "XXXXXX")).string();
  std::vector<char> name(pattern.begin(), pattern.end());
  name.push_back('\0');
  FileDescriptor fd(::mkostemp(name.data(), O_CLOEXEC));
  if (!fd) return failure(REGDB_E_WRITEREGDB, systemError(file, "cannot create a temporary file"));
  // Removed unless the rename takes it.
  platform::filesystem::RemovedUnlessKept temporary(name.data());
  if (!writeAll(fd.get(), text) || ::fchmod(fd.get(), 0644) != 0 || ::fsync(fd.get()) != 0 || !fd.close())
    return failure(REGDB_E_WRITEREGDB, systemError(temporary.path(), "cannot write"));
  if (::rename(temporary.path().c_str(), file.c_str()) != 0)
    return failure(REGDB_E_WRITEREGDB, systemError(file, "cannot replace"));
  temporary.keep();
  FileDescriptor folder(::open(file.parent_path().c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
  if (!folder || ::fsync(folder.get()) != 0)
    return failure(REGDB_E_WRITEREGDB, systemError(file.parent_path(), "cannot flush the folder"));
  return {};
}

RegistryStatus& outcomeOfThisThread() {
  thread_local RegistryStatus outcome;
  return outcome;
}

RegistryStatus remembered(RegistryStatus status) {
  outcomeOfThisThread() = status;
  return status;
}

}  // namespace

fs::path standardRegistryPath() { return registryPath(RegistryScope::user); }

RegistryFile RegistryFile::standard() { return RegistryFile(registryPath(registrationScope())); }

RegistryStatus RegistryFile::read(RegistryTree& tree) const { return remembered(readTree(tree)); }

RegistryStatus RegistryFile::update(const std::function<HRESULT(RegistryTree&)>& change) const {
  return remembered(readChangeAndWrite(change));
}

RegistryStatus RegistryFile::readTree(RegistryTree& tree) const {
  std::string text;
  bool exists = false;
  tree = RegistryTree();
  if (auto status = readText(file_, text, exists); !status.ok()) return status;
  if (const auto error = parseRegistry(text, tree))
    return failure(REGDB_E_READREGDB, file_.string() + ":" + std::to_string(error->line) + ": " + error->what);
  return {};
}

// Every message names the registry file first, whatever beside it failed.
RegistryStatus RegistryFile::readChangeAndWrite(const std::function<HRESULT(RegistryTree&)>& change) const {
  std::error_code error;
  fs::create_directories(file_.parent_path(), error);
  if (error)
    return failure(REGDB_E_WRITEREGDB, file_.string() + ": cannot create its folder " + file_.parent_path().string() +
                                           ": " + error.message());
  const fs::path lockPath = file_.string() + ".lock";
  FileDescriptor lock(::open(lockPath.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0644));
  // errno is taken before the action's text is made.
  if (!lock) {
    const int cause = errno;
    return failure(REGDB_E_WRITEREGDB, systemError(file_, "cannot open its lock file " + lockPath.string(), cause));
  }
  while (::flock(lock.get(), LOCK_EX) != 0) {
    if (const int cause = errno; cause != EINTR)
      return failure(REGDB_E_WRITEREGDB, systemError(file_, "cannot lock " + lockPath.string(), cause));
  }
  removeAbandonedTemporaries(file_);

  RegistryTree tree;
  if (auto status = readTree(tree); !status.ok()) return status;
  const RegistryTree before = tree;
  if (const HRESULT hr = change(tree); failed(hr))
    return failure(hr, file_.string() + ": the change was abandoned, nothing written");
  if (tree == before) return {};
  return replaceAtomically(file_, formatRegistry(tree));
}

RegistryStatus readRegistry(RegistryTree& tree) { return RegistryFile::standard().read(tree); }

RegistryStatus updateRegistry(const std::function<HRESULT(RegistryTree&)>& change) {
  return RegistryFile::standard().update(change);
}

RegistryStatus lastRegistryOutcome() { return outcomeOfThisThread(); }

}  // namespace platform::automation
