#include <platform/ui/MountSource.h>

#include <filesystem>
#include <fstream>
#include <sstream>

namespace platform::ui {
namespace {

namespace fs = std::filesystem;

std::string readWholeFile(const char* name) {
  std::ifstream in(name, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

int hexValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

// udev writes unsafe characters of a label as \xNN in the link's name.
std::string decodeUdevName(const std::string& name) {
  std::string out;
  for (std::size_t i = 0; i < name.size(); ++i) {
    if (name[i] == '\\' && i + 3 < name.size() && name[i + 1] == 'x' && hexValue(name[i + 2]) >= 0 &&
        hexValue(name[i + 3]) >= 0) {
      out.push_back(static_cast<char>(hexValue(name[i + 2]) * 16 + hexValue(name[i + 3])));
      i += 3;
    } else {
      out.push_back(name[i]);
    }
  }
  return out;
}

std::string labelFromUdev(const std::string& device) {
  std::error_code ec;
  const fs::path deviceFile = fs::canonical(device, ec);
  if (ec) return {};
  for (fs::directory_iterator it("/dev/disk/by-label", ec), end; !ec && it != end; it.increment(ec)) {
    std::error_code linkError;
    if (fs::canonical(it->path(), linkError) == deviceFile && !linkError)
      return decodeUdevName(it->path().filename().string());
  }
  return {};
}

}  // namespace

MountSource MountSource::system() {
  MountSource source;
  source.readMountInfo = [] { return readWholeFile("/proc/self/mountinfo"); };
  source.labelOf = labelFromUdev;
  return source;
}

}  // namespace platform::ui
