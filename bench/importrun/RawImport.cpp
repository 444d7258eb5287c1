#include <bench/importrun/RawImport.h>

#include <administrator/catalogue/SqliteCatalogue.h>
#include <platform/database/SqliteEngine.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstring>
#include <memory>
#include <vector>

#include <bench/importrun/Measuring.h>
#include <tests/endtoend/MusicFolder.h>

namespace bench::importrun {
namespace {

namespace fs = std::filesystem;

// A field as the run stores it: cut at its first NUL, trailing spaces trimmed,
// its bytes (Latin-1 here) as UTF-8.
std::string utf8Field(const char* record, std::size_t offset) {
  std::string field;
  for (std::size_t at = offset; at < offset + 30 && record[at] != '\0'; ++at) {
    const auto byte = static_cast<unsigned char>(record[at]);
    if (byte < 0x80) {
      field += static_cast<char>(byte);
    } else {
      field += static_cast<char>(0xC0 | (byte >> 6));
      field += static_cast<char>(0x80 | (byte & 0x3F));
    }
  }
  field.erase(field.find_last_not_of(' ') + 1);
  return field;
}

void makeFolderIfMissing(const std::string& path) {
  struct stat info;
  if (::stat(path.c_str(), &info) != 0) ::mkdir(path.c_str(), 0777);
}

}  // namespace

std::string catalogueJournalMode(const Tree& tree) {
  platform::database::SqliteEngine engine;
  administrator::catalogue::SqliteCatalogue catalogue(engine);
  if (!catalogue.open(tree.catalogue.string())) return "delete";
  return catalogue.journalMode();
}

double timeRawImport(const Tree& tree, const std::string& journalMode) {
  const auto start = Clock::now();
  // The database is opened inside the timed span, as a run opens its catalogue.
  tests::endtoend::SqliteHandle db(tree.catalogue.string());
  db.execute("pragma journal_mode=" + journalMode);
  if (journalMode == "wal") db.execute("pragma synchronous=normal");
  sqlite3_stmt* raw = nullptr;
  sqlite3_prepare_v2(db.get(), administrator::catalogue::SqliteCatalogue::insertStatement, -1, &raw, nullptr);
  std::unique_ptr<sqlite3_stmt, int (*)(sqlite3_stmt*)> insert(raw, sqlite3_finalize);

  std::vector<std::string> names;
  for (const auto& entry : fs::directory_iterator(tree.source)) names.push_back(entry.path().filename().string());
  for (const auto& name : names) {
    const std::string path = tree.source.string() + "/" + name;
    struct stat info;
    if (::lstat(path.c_str(), &info) != 0 || !S_ISREG(info.st_mode) || info.st_size < 128) continue;
    char record[128];
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    const bool read = fd >= 0 && ::pread(fd, record, sizeof record, info.st_size - 128) == 128;
    if (fd >= 0) ::close(fd);
    if (!read || std::memcmp(record, "TAG", 3) != 0) continue;
    const std::string title = utf8Field(record, 3), artist = utf8Field(record, 33), album = utf8Field(record, 63);
    if (title.empty() || artist.empty() || album.empty()) continue;
    const std::string artistFolder = tree.destination.string() + "/" + artist;
    const std::string albumFolder = artistFolder + "/" + album;
    const std::string target = albumFolder + "/" + title + ".mp3";
    db.execute("begin immediate");
    sqlite3_bind_text(raw, 1, title.c_str(), -1, SQLITE_TRANSIENT);
    sqlite3_bind_text(raw, 2, artist.c_str(), -1, SQLITE_TRANSIENT);
    sqlite3_bind_text(raw, 3, album.c_str(), -1, SQLITE_TRANSIENT);
    sqlite3_bind_text(raw, 4, target.c_str(), -1, SQLITE_TRANSIENT);
    sqlite3_step(raw);
    sqlite3_reset(raw);
    makeFolderIfMissing(artistFolder);
    makeFolderIfMissing(albumFolder);
    if (::renameat2(AT_FDCWD, path.c_str(), AT_FDCWD, target.c_str(), RENAME_NOREPLACE) == 0)
      db.execute("commit");
    else
      db.execute("rollback");
  }
  return secondsSince(start);
}

}  // namespace bench::importrun
