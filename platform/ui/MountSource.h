#pragma once
#include <functional>
#include <string>
#include <vector>

namespace platform::ui {

// Where the drive list learns what is mounted. The system source reads the kernel's
// mount table and the udev label links; tests hand in their own text and labels.
struct MountSource {
  std::function<std::string()> readMountInfo;
  // The volume label of a mount source such as "/dev/sdb1"; empty when it has none.
  std::function<std::string(const std::string& device)> labelOf;
  // Folders under which mounted volumes count as removable media a person picks.
  std::vector<std::string> removableRoots{"/media", "/run/media", "/mnt"};

  static MountSource system();
};

}  // namespace platform::ui
