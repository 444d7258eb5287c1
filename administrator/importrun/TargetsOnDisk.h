#pragma once
#include <string>
#include <unordered_map>
#include <unordered_set>

#include <platform/filesystem/FileSystem.h>

namespace administrator::importrun {

// Whether an ordinary file already holds a target's name, as a look at the target
// would say, answered from one listing per folder of the destination: the targets
// of a plan share few artist and album folders, and a missing folder answers for
// every target below it. Where a listing cannot tell (a link, a name that differs
// only in case, a name or a folder with names beyond ASCII, which a file system may
// fold or normalise, a folder that cannot be listed), the target itself is looked at.
class TargetsOnDisk {
 public:
  TargetsOnDisk(platform::filesystem::FileSystem& files, std::string root) : files_(files), root_(std::move(root)) {}

  // The target is <root>/<artist>/<album>/<name>; the parts are single names.
  bool fileExists(const std::string& artist, const std::string& album, const std::string& name,
                  const std::string& target);

 private:
  enum class Found { Nothing, Folder, File, NoFile, Ask };
  struct Contents {
    bool listed = false;
    std::unordered_map<std::string, platform::filesystem::EntryKind> entries;
    std::unordered_set<std::string> foldedNames;  // of the ASCII names
    bool otherNames = false;                      // a name that a file system may fold into an ASCII one
  };

  Found find(const Contents& contents, const std::string& name) const;
  const Contents& contentsOf(const std::string& folder);

  platform::filesystem::FileSystem& files_;
  std::string root_;
  std::unordered_map<std::string, Contents> folders_;  // by path; nodes stay where they are
  const Contents* rootContents_ = nullptr;
};

}  // namespace administrator::importrun
