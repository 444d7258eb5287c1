#pragma once
#include <QString>
#include <filesystem>
#include <string>
#include <vector>

#include <platform/ui/ListResult.h>
#include <platform/ui/MountSource.h>

namespace platform::ui {

// A mounted volume that a person would pick, shown by its mount point and label.
struct Drive {
  std::filesystem::path mountPoint;
  QString label;

  // "<mount point> [<label>]", what the drive list shows and its Drive property holds.
  QString designation() const;
};

// True for text of the form "<mount point> [<label>]", as opposed to a bare folder path.
bool isDriveDesignation(const QString& text);

// The drives of the machine as the mount table shows them now, and the questions the
// lists ask about them. Shared by the drive and directory lists of one window.
class DriveTable {
 public:
  explicit DriveTable(MountSource source = MountSource::system());

  // Re-reads the mount table: a drive may have come or gone since the last look.
  void refresh();

  const std::vector<Drive>& drives() const { return drives_; }

  // Accepts a designation as produced by Drive::designation, or a bare mount point.
  const Drive* find(const QString& designation) const;
  // The drive whose mount point is the longest leading part of an absolute path.
  const Drive* holding(const std::filesystem::path& path) const;
  // The process's current directory when it lies on the drive, else its mount point.
  std::filesystem::path currentDirectory(const Drive& drive) const;
  // Refused when the drive's mount point cannot be opened (no medium, gone, no access).
  ListResult checkReady(const Drive& drive) const;

 private:
  bool isDrive(const std::string& mountPoint, const std::string& fsType) const;

  MountSource source_;
  std::vector<Drive> drives_;
};

}  // namespace platform::ui
