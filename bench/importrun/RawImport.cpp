#include "RawImport.h"

#include <catalogue/SqliteCatalogue.h>
#include <database/SqliteEngine.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <memory>
#include <vector>

#include "Measuring.h"
#include "endtoend/MusicFolder.h"

namespace importbench {
namespace {

namespace fs = std::filesystem;

std::string fieldAt(const char* record, std::size_t offset) {
  std::string field(record + offset, 30);
  field.erase(field.find_last_not_of(std::string(" \0", 2)) + 1);
  return field;
}

void makeFolderIfMissing(const std::string& path) {
  struct stat info;
  if (::stat(path.c_str(), &info) != 0) ::mkdir(path.c_str(), 0777);
}

}  // namespace

std::string catalogueJournalMode(const Tree& tree) {
  platform::database::SqliteEngine engine;
  mervalis::SqliteCatalogue catalogue(engine);
  if (!catalogue.open(tree.catalogue.string())) return "delete";
  return catalogue.journalMode();
}

double timeRawImport(const Tree& tree, const std::string& journalMode) {
  endtoend::SqliteHandle db(tree.catalogue.string());
  db.execute("pragma journal_mode=" + journalMode);
  if (journalMode == "wal") db.execute("pragma synchronous=normal");
  sqlite3_stmt* raw = nullptr;
  sqlite3_prepare_v2(db.get(), mervalis::SqliteCatalogue::insertStatement, -1, &raw, nullptr);
  std::unique_ptr<sqlite3_stmt, int (*)(sqlite3_stmt*)> insert(raw, sqlite3_finalize);

  const auto start = Clock::now();
  std::vector<std::string> names;
  for (const auto& entry : fs::directory_iterator(tree.source)) names.push_back(entry.path().filename().string());
  for (const auto& name : names) {
    const std::string path = tree.source.string() + "/" + name;
    struct stat info;
    if (::stat(path.c_str(), &info) != 0 || info.st_size < 128) continue;
    char record[128];
    const int fd = ::open(path.c_str(), O_RDONLY);
    const bool read = fd >= 0 && ::pread(fd, record, sizeof record, info.st_size - 128) == 128;
    if (fd >= 0) ::close(fd);
    if (!read) continue;
    const std::string title = fieldAt(record, 3), artist = fieldAt(record, 33), album = fieldAt(record, 63);
    const std::string artistFolder = tree.destination.string() + "/" + artist;
    const std::string albumFolder = artistFolder + "/" + album;
    const std::string target = albumFolder + "/" + title + ".mp3";
    db.execute("begin");
    sqlite3_bind_text(raw, 1, title.c_str(), -1, SQLITE_TRANSIENT);
    sqlite3_bind_text(raw, 2, artist.c_str(), -1, SQLITE_TRANSIENT);
    sqlite3_bind_text(raw, 3, album.c_str(), -1, SQLITE_TRANSIENT);
    sqlite3_bind_text(raw, 4, target.c_str(), -1, SQLITE_TRANSIENT);
    sqlite3_step(raw);
    sqlite3_reset(raw);
    makeFolderIfMissing(artistFolder);
    makeFolderIfMissing(albumFolder);
    ::rename(path.c_str(), target.c_str());
    db.execute("commit");
  }
  return secondsSince(start);
}

}  // namespace importbench
