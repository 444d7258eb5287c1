#include <platform/filesystem/PosixFileSystem.h>
#include <platform/filesystem/StatIdentity.h>

#include <platform/filesystem/FileDescriptor.h>
#include <platform/filesystem/ListOrder.h>
#include <platform/filesystem/SystemError.h>

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <memory>

namespace platform::filesystem {
namespace {

struct DirCloser {
  void operator()(DIR* dir) const { ::closedir(dir); }
};
using Directory = std::unique_ptr<DIR, DirCloser>;

// Told without following links: moving a link would file the link and not the
// music, and following folder links could leave the source tree.
EntryKind kindOf(DIR* dir, const dirent& entry) {
  switch (entry.d_type) {
    case DT_REG: return EntryKind::File;
    case DT_DIR: return EntryKind::Folder;
    case DT_LNK: return EntryKind::SymbolicLink;
    case DT_UNKNOWN: break;
    default: return EntryKind::Other;
  }
  struct stat info {};
  if (::fstatat(::dirfd(dir), entry.d_name, &info, AT_SYMLINK_NOFOLLOW) != 0)
    return EntryKind::Other;  // vanished since the read: the run finds it gone
  if (S_ISREG(info.st_mode)) return EntryKind::File;
  if (S_ISLNK(info.st_mode)) return EntryKind::SymbolicLink;
  return S_ISDIR(info.st_mode) ? EntryKind::Folder : EntryKind::Other;
}

bool isSelfOrParent(const char* name) { return std::strcmp(name, ".") == 0 || std::strcmp(name, "..") == 0; }

Listing listUnsorted(const std::string& folder, bool (*wanted)(EntryKind)) {
  Listing list;
  Directory dir{::opendir(folder.c_str())};
  if (!dir) {
    list.status = systemFailure("list the folder " + quoted(folder), errno);
    return list;
  }
  for (;;) {
    errno = 0;
    const dirent* entry = ::readdir(dir.get());
    if (entry == nullptr) break;
    if (isSelfOrParent(entry->d_name)) continue;
    const EntryKind kind = kindOf(dir.get(), *entry);
    if (wanted(kind)) list.entries.push_back({entry->d_name, kind});
  }
  if (errno != 0) {
    list.status = systemFailure("list the folder " + quoted(folder), errno);
    list.entries.clear();
  }
  return list;
}

Listing listSorted(const std::string& folder, bool (*wanted)(EntryKind)) {
  Listing list = listUnsorted(folder, wanted);
  sortInListOrder(list.entries);
  return list;
}

bool statMatches(const std::string& path, mode_t type) {
  struct stat info {};
  return ::stat(path.c_str(), &info) == 0 && (info.st_mode & S_IFMT) == type;
}

}  // namespace

Listing PosixFileSystem::listFiles(const std::string& folder) {
  return listSorted(folder, [](EntryKind kind) { return kind != EntryKind::Folder; });
}

Listing PosixFileSystem::listSubfolders(const std::string& folder) {
  return listSorted(folder, [](EntryKind kind) { return kind == EntryKind::Folder; });
}

Listing PosixFileSystem::listEntries(const std::string& folder) {
  return listUnsorted(folder, [](EntryKind) { return true; });
}

bool PosixFileSystem::folderExists(const std::string& path) { return statMatches(path, S_IFDIR); }

bool PosixFileSystem::fileExists(const std::string& path) { return statMatches(path, S_IFREG); }

status::Result<FileIdentity> PosixFileSystem::identify(const std::string& path) {
  struct stat info {};
  if (::lstat(path.c_str(), &info) != 0) return {systemFailure("look at " + quoted(path), errno), {}};
  return {status::Status::success(), identityOf(info)};
}

// O_NONBLOCK: a FIFO put in the file's place must not hold the run.
status::Status PosixFileSystem::checkReadable(const std::string& path) {
  FileDescriptor file{::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC)};
  if (!file.valid()) return systemFailure("read " + quoted(path), errno);
  return status::Status::success();
}

status::Status PosixFileSystem::createFolder(const std::string& path) {
  if (::mkdir(path.c_str(), 0777) != 0) return systemFailure("create the folder " + quoted(path), errno);
  return status::Status::success();
}

status::Status PosixFileSystem::removeEmptyFolder(const std::string& path) {
  if (::rmdir(path.c_str()) != 0) return systemFailure("remove the folder " + quoted(path), errno);
  return status::Status::success();
}

}  // namespace platform::filesystem
