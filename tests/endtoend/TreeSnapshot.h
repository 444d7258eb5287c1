#pragma once
// Every file below a folder with its bytes and modification time, to show that
// something touched nothing.
#include <sys/stat.h>

#include <filesystem>
#include <map>
#include <string>

#include <tests/endtoend/MusicFolder.h>

namespace tests::endtoend {

inline std::map<std::string, std::string> snapshotOf(const std::filesystem::path& folder) {
  std::map<std::string, std::string> files;
  for (const auto& entry : std::filesystem::recursive_directory_iterator(folder)) {
    struct stat info {};
    ::lstat(entry.path().c_str(), &info);
    std::string state = std::to_string(info.st_mtim.tv_sec) + "." + std::to_string(info.st_mtim.tv_nsec);
    if (entry.is_regular_file()) state += ":" + readWholeFile(entry.path());
    files[entry.path().string()] = state;
  }
  return files;
}

}  // namespace tests::endtoend
