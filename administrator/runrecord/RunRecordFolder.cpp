#include <administrator/runrecord/RunRecordFolder.h>

#include <dirent.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <memory>
#include <system_error>

namespace administrator::runrecord {

using platform::status::Status;
namespace {

constexpr std::string_view kRecordSuffix = ".run";

struct DirCloser {
  void operator()(DIR* dir) const { ::closedir(dir); }
};

}  // namespace

std::string RunRecordFolder::defaultPath() {
  const char* state = std::getenv("XDG_STATE_HOME");
  // A relative state folder would move with the working directory, so it is ignored
  // and the default below is used, as other programs do.
  if (state && state[0] == '/') return std::string(state) + "/mervalis/runs";
  const char* home = std::getenv("HOME");
  if (home && home[0] == '/') return std::string(home) + "/.local/state/mervalis/runs";
  return {};
}

Status RunRecordFolder::create() const {
  const std::string attempt = "make the folder of run records \"" + path_ + "\"";
  if (path_.empty()) return Status::failure(attempt, "neither XDG_STATE_HOME nor HOME names a folder");
  for (std::size_t slash = path_.find('/', 1);; slash = path_.find('/', slash + 1)) {
    const std::string folder = path_.substr(0, slash);
    if (::mkdir(folder.c_str(), 0700) != 0 && errno != EEXIST)
      return Status::failure(attempt, std::generic_category().message(errno));
    if (slash == std::string::npos) break;
  }
  struct stat info {};
  if (::stat(path_.c_str(), &info) != 0 || !S_ISDIR(info.st_mode))
    return Status::failure(attempt, "a file of that name is in the way");
  return Status::success();
}

std::vector<std::string> RunRecordFolder::runIds() const {
  std::vector<std::string> ids;
  std::unique_ptr<DIR, DirCloser> dir{::opendir(path_.c_str())};
  if (!dir) return ids;
  while (const dirent* entry = ::readdir(dir.get())) {
    const std::string_view name = entry->d_name;
    if (name.size() > kRecordSuffix.size() && name.ends_with(kRecordSuffix) && name[0] != '.')
      ids.emplace_back(name.substr(0, name.size() - kRecordSuffix.size()));
  }
  std::sort(ids.begin(), ids.end());
  return ids;
}

std::string newRunId(int attempt) {
  const std::time_t now = std::time(nullptr);
  std::tm utc{};
  ::gmtime_r(&now, &utc);
  char text[64];
  std::strftime(text, sizeof text, "%Y%m%d-%H%M%S", &utc);
  std::string id = text;
  std::snprintf(text, sizeof text, "-%07d", static_cast<int>(::getpid()));
  id += text;
  if (attempt > 0) id += "-" + std::to_string(attempt + 1);
  return id;
}

}  // namespace administrator::runrecord
