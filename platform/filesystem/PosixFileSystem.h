#pragma once

#include <platform/filesystem/FileSystem.h>

#include <sys/stat.h>

#include <cstddef>
#include <string>

namespace platform::filesystem {

// The file system of a POSIX machine (Linux: renameat2 where available).
class PosixFileSystem : public FileSystem {
 public:
  // AlwaysCopy takes the path for moves between volumes even on one volume,
  // so that path can be exercised where only one volume is at hand.
  enum class Moves { RenameWherePossible, AlwaysCopy };

  explicit PosixFileSystem(Moves moves = Moves::RenameWherePossible) : moves_(moves) {}

  Listing listFiles(const std::string& folder) override;
  Listing listSubfolders(const std::string& folder) override;
  Listing listEntries(const std::string& folder) override;
  bool folderExists(const std::string& path) override;
  bool fileExists(const std::string& path) override;
  status::Result<FileIdentity> identify(const std::string& path) override;
  status::Status checkReadable(const std::string& path) override;
  status::Status createFolder(const std::string& path) override;
  status::Status removeEmptyFolder(const std::string& path) override;
  status::Status moveFile(const std::string& source, const std::string& target) override;
  status::Status moveFileWithProgress(const std::string& source, const std::string& target,
                                      const CopyProgress& progress, FileIdentity* landed) override;
  status::Status removeIdenticalCopy(const std::string& copy, const std::string& original) override;

 protected:
  // Writes one chunk of a copy between volumes; a test overrides it to fail mid-copy.
  virtual status::Status writeChunk(int fd, const char* data, std::size_t size, const std::string& path);

  // The points of a copy between volumes after which the source is checked for
  // changes by another program; a test overrides the hook to change it there.
  enum class CopyPoint { ContentWritten, CopyNamed };
  virtual void reached(CopyPoint, const std::string& /*source*/) {}

 private:
  status::Status copyAcrossVolumes(const std::string& source, const std::string& target, const struct stat& sourceInfo,
                                   const CopyProgress& progress, FileIdentity* landed);
  status::Status copyContent(int from, int to, const std::string& source, const std::string& copy, off_t expectedSize,
                             const CopyProgress& progress);

  Moves moves_;
};

}  // namespace platform::filesystem
