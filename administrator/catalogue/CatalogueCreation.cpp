#include <administrator/catalogue/CatalogueCreation.h>

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include <platform/filesystem/RemovedUnlessKept.h>

namespace administrator::catalogue {

using platform::status::Status;
namespace {

// The table of catalogue.sql, which makes the catalogue beside the built program.
constexpr const char* kTable =
    "create table MP3Info (\n"
    "    Track    text,\n"
    "    Artist   text,\n"
    "    Album    text,\n"
    "    FileName text\n"
    ");\n";

// O_EXCL claims the name in one step, so a file that appears meanwhile is not
// replaced either. SQLite takes an empty file for an empty database.
Status claimName(const std::string& path, const std::string& attempt) {
  const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
  if (fd < 0) {
    const int cause = errno;
    return Status::failure(attempt, cause == EEXIST ? "a file of that name is already there, and it is never replaced"
                                                    : std::strerror(cause));
  }
  if (::close(fd) != 0) return Status::failure(attempt, std::strerror(errno));
  return Status::success();
}

}  // namespace

Status createCatalogue(platform::database::Engine& engine, const std::string& path) {
  const std::string attempt = "create the catalogue \"" + path + "\"";
  if (const Status claimed = claimName(path, attempt); !claimed) return claimed;
  platform::filesystem::RemovedUnlessKept unfinished(path);
  {
    auto opened = engine.open(path);
    if (!opened.status) return opened.status.within(attempt);
    if (const Status made = opened.value->execute(kTable); !made) return made.within(attempt);
  }  // closed before it is kept
  unfinished.keep();
  return Status::success();
}

}  // namespace administrator::catalogue
