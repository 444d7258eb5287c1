#include "database/SqliteEngine.h"

#include "database/SqliteConnection.h"
#include "database/SqliteError.h"

#include <sys/stat.h>

#include <cerrno>
#include <system_error>

namespace platform::database {
namespace {

std::string openAttempt(const std::string& path) { return "open the database \"" + path + "\""; }

// SQLite would create a missing file; a catalogue must exist already.
Status checkIsFile(const std::string& path) {
  struct stat info {};
  if (::stat(path.c_str(), &info) != 0)
    return Status::failure(openAttempt(path), errno == ENOENT ? std::string("the file does not exist")
                                                              : std::generic_category().message(errno));
  if (!S_ISREG(info.st_mode)) return Status::failure(openAttempt(path), "it is not a file");
  return Status::success();
}

// Opening is lazy: reading the schema is what tells a database from other files.
Status checkIsDatabase(sqlite3* db, const std::string& path) {
  const int result = sqlite3_exec(db, "select count(*) from sqlite_schema", nullptr, nullptr, nullptr);
  if (result != SQLITE_OK) return sqliteFailure(openAttempt(path), db, result);
  return Status::success();
}

}  // namespace

Result<std::unique_ptr<Connection>> SqliteEngine::open(const std::string& path, const OpenOptions& options) {
  if (Status file = checkIsFile(path); !file) return {file, nullptr};

  sqlite3* raw = nullptr;
  const int result = sqlite3_open_v2(path.c_str(), &raw, SQLITE_OPEN_READWRITE, nullptr);
  SqliteDatabase db{raw};  // a handle comes back even when the open fails
  if (result != SQLITE_OK) return {sqliteFailure(openAttempt(path), db.get(), result), nullptr};
  sqlite3_extended_result_codes(db.get(), 1);
  sqlite3_busy_timeout(db.get(), static_cast<int>(options.busyTimeout.count()));

  // A file SQLite may only read would fail at the first insert, after a file was moved.
  if (sqlite3_db_readonly(db.get(), "main") == 1)
    return {Status::failure(openAttempt(path), "the file cannot be written"), nullptr};
  if (Status database = checkIsDatabase(db.get(), path); !database) return {database, nullptr};
  return {Status::success(), std::make_unique<SqliteConnection>(std::move(db), path, options.busyTimeout)};
}

}  // namespace platform::database
