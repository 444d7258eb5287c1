#pragma once
#include <optional>
#include <string>

#include <administrator/importrun/LeaveReason.h>

namespace administrator::importrun {

// One thing the run meets, in visiting order, and what it will do about it.
struct PlannedFile {
  std::string name;        // as the folder lists it
  std::string sourcePath;  // for a folder that cannot be listed, the folder's path
  bool folderNotListed = false;
  std::optional<Leave> leave;  // none: the file is filed
  // Of a file to be filed: its fields and <root>/<artist>/<album>/<title>.mp3.
  std::u16string title, album, artist;
  std::string artistFolder, albumFolder, target;

  bool filed() const { return !folderNotListed && !leave; }
};

}  // namespace administrator::importrun
