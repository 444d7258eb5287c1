#pragma once

#include <platform/filesystem/FileIdentity.h>
#include <platform/filesystem/Status.h>

#include <cstdint>
#include <functional>
#include <string>

namespace platform::filesystem {

// Told how far a move between volumes has copied its file (bytes copied, of the
// file's size); answers whether to go on. A long copy so lets its caller's window
// take input and stop it.
using CopyProgress = std::function<bool(std::uint64_t copied, std::uint64_t size)>;

// A copy between volumes asks its progress at least this often.
inline constexpr std::uint64_t copyProgressInterval = std::uint64_t{64} << 20;

// The cause of a move abandoned because its progress answered false.
inline constexpr const char* copyAbandoned = "the copy was abandoned before it was whole";

// The file operations the import run needs. Paths are UTF-8 with '/' as separator.
// The run talks to this interface only, so tests can put a double in its place.
class FileSystem {
 public:
  virtual ~FileSystem() = default;

  // Every entry of the folder that is not a folder, hidden ones included: ordinary
  // files, and also symbolic links (of any kind) and other entries, each with its
  // kind, so that a run can say why it leaves them.
  virtual Listing listFiles(const std::string& folder) = 0;
  // Every folder directly below the folder, hidden ones included; a symbolic link
  // to a folder is no folder here.
  virtual Listing listSubfolders(const std::string& folder) = 0;
  // Every entry of the folder, folders too, in no particular order: for looking
  // names up. By default the two lists above.
  virtual Listing listEntries(const std::string& folder);

  virtual bool folderExists(const std::string& path) = 0;
  virtual bool fileExists(const std::string& path) = 0;
  // Which file the path names, without following a symbolic link.
  virtual status::Result<FileIdentity> identify(const std::string& path) = 0;
  // Whether the file can be opened for reading; the failure says why not.
  virtual status::Status checkReadable(const std::string& path) = 0;

  // Creates one folder; its parent must exist already.
  virtual status::Status createFolder(const std::string& path) = 0;
  // Removes a folder only when it is empty; fails, changing nothing, otherwise.
  virtual status::Status removeEmptyFolder(const std::string& path) = 0;

  // Moves a file to the full target path. Never replaces an existing file; when
  // the move fails, the source is where it was and no partial copy is left.
  virtual status::Status moveFile(const std::string& source, const std::string& target) = 0;
  // The same, asking `progress` at least every copyProgressInterval bytes while the
  // file is copied to another volume (a rename asks nothing). When it answers
  // false before the copy is whole, the move fails with the cause copyAbandoned:
  // the partial copy goes and the source stays. A move that succeeds tells in
  // `landed` (when given) the file at its target, as identify() would; where that
  // cannot be told, an identity that no file has.
  virtual status::Status moveFileWithProgress(const std::string& source, const std::string& target,
                                              const CopyProgress& progress, FileIdentity* landed) {
    (void)progress;
    status::Status moved = moveFile(source, target);
    // The file has moved whatever the look finds: the move must not be reported failed.
    if (moved && landed) *landed = identify(target).value;
    return moved;
  }

  // Removes copy when it is an ordinary file with exactly the bytes of original, a
  // different ordinary file: what a move between volumes leaves when it is stopped
  // after naming its copy and before removing its source. Anything else is refused
  // and both files stay.
  virtual status::Status removeIdenticalCopy(const std::string& copy, const std::string& original) = 0;
};

inline Listing FileSystem::listEntries(const std::string& folder) {
  Listing all = listFiles(folder);
  if (!all.status) return all;
  Listing folders = listSubfolders(folder);
  if (!folders.status) return folders;
  all.entries.insert(all.entries.end(), folders.entries.begin(), folders.entries.end());
  return all;
}

}  // namespace platform::filesystem
