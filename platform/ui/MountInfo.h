#pragma once
#include <string>
#include <string_view>
#include <vector>

namespace platform::ui {

// One line of /proc/self/mountinfo, with the octal escapes (\040 for a space,
// \011, \012, \134) already decoded.
struct MountEntry {
  std::string mountPoint;
  std::string fsType;
  std::string source;
};

// Lines that do not have the expected shape are skipped rather than guessed at.
std::vector<MountEntry> parseMountInfo(std::string_view text);

std::string decodeOctalEscapes(std::string_view field);

}  // namespace platform::ui
