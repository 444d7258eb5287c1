// Moving a file without ever replacing the target or losing the source.
#include <platform/filesystem/FileDescriptor.h>
#include <platform/filesystem/PosixFileSystem.h>
#include <platform/filesystem/StatIdentity.h>
#include <platform/filesystem/ReadFully.h>
#include <platform/filesystem/RemovedUnlessKept.h>
#include <platform/filesystem/SystemError.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <utility>
#include <vector>

namespace platform::filesystem {
namespace {

constexpr std::size_t copyChunkSize = 1 << 20;
// Progress is asked after every chunk, which keeps the promise of the interface.
static_assert(copyChunkSize <= copyProgressInterval);

std::string parentFolder(const std::string& path) {
  const auto slash = path.find_last_of('/');
  if (slash == std::string::npos) return ".";
  return slash == 0 ? "/" : path.substr(0, slash);
}

std::string moveAttempt(const std::string& source, const std::string& target) {
  return "move " + quoted(source) + " to " + quoted(target);
}

// Renames without replacing; returns 0 or the errno. File systems that do not know
// RENAME_NOREPLACE get a hard link (which refuses an existing name) and an unlink.
int renameWithoutReplacing(const std::string& from, const std::string& to) {
  if (::renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE) == 0) return 0;
  const int renameError = errno;
  if (renameError != EINVAL && renameError != ENOSYS) return renameError;
  if (::link(from.c_str(), to.c_str()) != 0) return errno;
  if (::unlink(from.c_str()) != 0) {
    const int unlinkError = errno;
    ::unlink(to.c_str());
    return unlinkError;
  }
  return 0;
}

int syncFolder(const std::string& folder) {
  FileDescriptor fd{::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC)};
  if (!fd.valid()) return errno;
  if (::fsync(fd.get()) != 0) return errno;
  return fd.close();
}

// The copy is made as an unnamed file in the target's folder where the file system
// allows it: if the process dies during the copy, the kernel drops the file and
// nothing is left behind. Elsewhere (vfat, many network file systems) it grows
// under a hidden temporary name instead.
struct CopyFile {
  FileDescriptor fd;
  std::string temporaryName;  // empty for an unnamed file
};

CopyFile createCopyFile(const std::string& folder) {
  FileDescriptor unnamed{::open(folder.c_str(), O_TMPFILE | O_WRONLY | O_CLOEXEC, 0600)};
  if (unnamed.valid()) return {std::move(unnamed), {}};
  std::string pattern = folder + "/.mervalis-move-XXXXXX";
  FileDescriptor named{::mkostemp(pattern.data(), O_CLOEXEC)};
  if (!named.valid()) return {};
  return {std::move(named), std::move(pattern)};
}

// Gives an unnamed file its name; like a rename without replacing, it refuses a
// name that exists. Returns 0 or the errno.
int linkUnnamedFile(int fd, const std::string& target) {
  const std::string self = "/proc/self/fd/" + std::to_string(fd);
  if (::linkat(AT_FDCWD, self.c_str(), AT_FDCWD, target.c_str(), AT_SYMLINK_FOLLOW) == 0) return 0;
  const int error = errno;
  if (error != ENOENT || ::access("/proc/self/fd", F_OK) == 0) return error;
  // Without /proc; this form needs the privilege to open files by handle.
  if (::linkat(fd, "", AT_FDCWD, target.c_str(), AT_EMPTY_PATH) == 0) return 0;
  return errno;
}

int nameCopy(const CopyFile& copy, const std::string& target) {
  return copy.temporaryName.empty() ? linkUnnamedFile(copy.fd.get(), target)
                                    : renameWithoutReplacing(copy.temporaryName, target);
}

status::Status checkSize(const std::string& copy, off_t expected) {
  struct stat info {};
  if (::stat(copy.c_str(), &info) != 0) return systemFailure("check the size of " + quoted(copy), errno);
  if (info.st_size != expected)
    return status::Status::failure("move to " + quoted(copy), "the copy has " + std::to_string(info.st_size) +
                                                                  " bytes instead of " + std::to_string(expected));
  return status::Status::success();
}

constexpr const char* changedMeanwhile =
    "the file was changed or replaced by another program while it was being copied; it stays where it is";

// The same file in the same version: a new file saved over the name has another
// inode, and a write in place moves the modification time or the size. The change
// time catches a tagger that writes in place and puts the modification time back.
bool sameVersion(const struct stat& a, const struct stat& b) {
  return a.st_dev == b.st_dev && a.st_ino == b.st_ino && a.st_size == b.st_size &&
         a.st_mtim.tv_sec == b.st_mtim.tv_sec && a.st_mtim.tv_nsec == b.st_mtim.tv_nsec &&
         a.st_ctim.tv_sec == b.st_ctim.tv_sec && a.st_ctim.tv_nsec == b.st_ctim.tv_nsec;
}

// Whether the source is still the version that was copied, both the open file and
// the file its path names: only then may the path be removed.
status::Status sourceUnchanged(int fd, const std::string& source, const std::string& target,
                               const struct stat& copied) {
  struct stat now {};
  if (::fstat(fd, &now) != 0) return systemFailure(moveAttempt(source, target), errno);
  if (!sameVersion(now, copied)) return status::Status::failure(moveAttempt(source, target), changedMeanwhile);
  if (::lstat(source.c_str(), &now) != 0) return systemFailure(moveAttempt(source, target), errno);
  if (!sameVersion(now, copied)) return status::Status::failure(moveAttempt(source, target), changedMeanwhile);
  return status::Status::success();
}

}  // namespace

status::Status PosixFileSystem::moveFile(const std::string& source, const std::string& target) {
  return moveFileWithProgress(source, target, {}, nullptr);
}

// A rename keeps the file as it was: its identity is the one looked at before.
status::Status PosixFileSystem::moveFileWithProgress(const std::string& source, const std::string& target,
                                                     const CopyProgress& progress, FileIdentity* landed) {
  struct stat sourceInfo {};
  if (::lstat(source.c_str(), &sourceInfo) != 0) return systemFailure(moveAttempt(source, target), errno);
  if (!S_ISREG(sourceInfo.st_mode))
    return status::Status::failure(moveAttempt(source, target), "it is not an ordinary file");
  if (moves_ == Moves::AlwaysCopy) return copyAcrossVolumes(source, target, sourceInfo, progress, landed);

  const int error = renameWithoutReplacing(source, target);
  if (error == EXDEV) return copyAcrossVolumes(source, target, sourceInfo, progress, landed);
  if (error != 0) return systemFailure(moveAttempt(source, target), error);
  if (landed) *landed = identityOf(sourceInfo);
  return status::Status::success();
}

status::Status PosixFileSystem::copyAcrossVolumes(const std::string& source, const std::string& target,
                                                  const struct stat& sourceInfo, const CopyProgress& progress,
                                                  FileIdentity* landed) {
  FileDescriptor from{::open(source.c_str(), O_RDONLY | O_NOFOLLOW | O_CLOEXEC)};
  if (!from.valid()) return systemFailure(moveAttempt(source, target), errno);
  // The version being copied; the source is removed only if it is still this one.
  struct stat copied {};
  if (::fstat(from.get(), &copied) != 0) return systemFailure(moveAttempt(source, target), errno);
  if (!sameVersion(copied, sourceInfo)) return status::Status::failure(moveAttempt(source, target), changedMeanwhile);

  // No one sees a half-written file under the real name: the copy gets it only
  // once it is whole and on disk.
  const std::string folder = parentFolder(target);
  CopyFile to = createCopyFile(folder);
  if (!to.fd.valid())
    return systemFailure(moveAttempt(source, target) + " (temporary copy in " + quoted(folder) + ")", errno);
  RemovedUnlessKept copy{to.temporaryName};
  const std::string shownName = to.temporaryName.empty() ? target : to.temporaryName;

  if (status::Status written = copyContent(from.get(), to.fd.get(), source, shownName, copied.st_size, progress);
      !written)
    return written;
  reached(CopyPoint::ContentWritten, source);
  const struct timespec times[2] = {copied.st_atim, copied.st_mtim};
  ::fchmod(to.fd.get(), copied.st_mode & 07777);
  ::futimens(to.fd.get(), times);
  if (::fsync(to.fd.get()) != 0) return systemFailure("flush " + quoted(shownName) + " to disk", errno);
  // Checked before the copy is named, where a change leaves nothing to undo.
  if (status::Status same = sourceUnchanged(from.get(), source, target, copied); !same) return same;

  struct stat copyFile {};
  if (::fstat(to.fd.get(), &copyFile) != 0) return systemFailure("check " + quoted(shownName), errno);
  if (const int error = nameCopy(to, target); error != 0) return systemFailure(moveAttempt(source, target), error);
  copy.renamedTo(target, copyFile);
  if (const int error = to.fd.close(); error != 0) return systemFailure("close " + quoted(target), error);

  if (status::Status size = checkSize(target, copied.st_size); !size) return size;
  if (const int error = syncFolder(folder); error != 0)
    return systemFailure("flush the folder " + quoted(folder) + " to disk", error);
  reached(CopyPoint::CopyNamed, source);
  // And again just before the removal: the naming and the flushes take time.
  if (status::Status same = sourceUnchanged(from.get(), source, target, copied); !same) return same;
  if (::unlink(source.c_str()) != 0) {
    const int error = errno;
    return systemFailure("remove " + quoted(source) + " after copying it to " + quoted(target), error);
  }
  copy.keep();
  if (landed) *landed = identityOf(copyFile);
  return status::Status::success();
}

// An abandoned copy is dropped like a failed one: the caller's RemovedUnlessKept
// or the kernel (for an unnamed file) takes it away, and the source is untouched.
status::Status PosixFileSystem::copyContent(int from, int to, const std::string& source, const std::string& copy,
                                            off_t expectedSize, const CopyProgress& progress) {
  std::vector<char> buffer(copyChunkSize);
  off_t copied = 0;
  for (;;) {
    const ssize_t got = readFully(from, buffer.data(), buffer.size());
    if (got < 0) return systemFailure("read " + quoted(source), errno);
    if (got == 0) break;
    if (status::Status written = writeChunk(to, buffer.data(), static_cast<std::size_t>(got), copy); !written)
      return written;
    copied += got;
    if (progress && !progress(static_cast<std::uint64_t>(copied), static_cast<std::uint64_t>(expectedSize)))
      return status::Status::failure("copy " + quoted(source), copyAbandoned);
  }
  // More or fewer bytes than the file had when the copy began: it changed meanwhile.
  if (copied != expectedSize) return status::Status::failure("copy " + quoted(source), changedMeanwhile);
  return status::Status::success();
}

status::Status PosixFileSystem::writeChunk(int fd, const char* data, std::size_t size, const std::string& path) {
  while (size > 0) {
    const ssize_t put = ::write(fd, data, size);
    if (put < 0) {
      if (errno == EINTR) continue;
      return systemFailure("write " + quoted(path), errno);
    }
    data += put;
    size -= static_cast<std::size_t>(put);
  }
  return status::Status::success();
}

}  // namespace platform::filesystem
