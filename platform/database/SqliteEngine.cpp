#include <platform/database/SqliteEngine.h>

#include <platform/database/SqliteConnection.h>
#include <platform/database/SqliteError.h>

#include <sys/stat.h>

#include <cerrno>
#include <system_error>

namespace platform::database {
namespace {

std::string openAttempt(const std::string& path) { return "open the database \"" + path + "\""; }

// SQLite would create a missing file; a catalogue must exist already.
status::Status checkIsFile(const std::string& path) {
  struct stat info {};
  if (::stat(path.c_str(), &info) != 0)
    return status::Status::failure(openAttempt(path), errno == ENOENT ? std::string("the file does not exist")
                                                                      : std::generic_category().message(errno));
  if (!S_ISREG(info.st_mode)) return status::Status::failure(openAttempt(path), "it is not a file");
  return status::Status::success();
}

// Opening is lazy: reading the schema is what tells a database from other files.
status::Status checkIsDatabase(sqlite3* db, const std::string& path) {
  const int result = sqlite3_exec(db, "select count(*) from sqlite_schema", nullptr, nullptr, nullptr);
  if (result != SQLITE_OK) return sqliteFailure(openAttempt(path), db, result);
  return status::Status::success();
}

// A file name as a URI path: the characters a URI gives a meaning to are escaped.
std::string uriOf(const std::string& path) {
  std::string uri = "file:";
  for (const char c : path) {
    if (c == '%' || c == '?' || c == '#') {
      static const char* hex = "0123456789ABCDEF";
      uri += '%';
      uri += hex[static_cast<unsigned char>(c) >> 4];
      uri += hex[static_cast<unsigned char>(c) & 15];
    } else {
      uri += c;
    }
  }
  return uri + "?immutable=1";
}

}  // namespace

// Immutable: SQLite then takes no lock and makes no -wal or -shm file, which a
// look at a catalogue in write-ahead logging would otherwise leave in its folder.
status::Result<std::unique_ptr<Connection>> SqliteEngine::openToLook(const std::string& path) {
  if (status::Status file = checkIsFile(path); !file) return {file, nullptr};
  sqlite3* raw = nullptr;
  const int result = sqlite3_open_v2(uriOf(path).c_str(), &raw, SQLITE_OPEN_READONLY | SQLITE_OPEN_URI, nullptr);
  SqliteDatabase db{raw};
  if (result != SQLITE_OK) return {sqliteFailure(openAttempt(path), db.get(), result), nullptr};
  sqlite3_extended_result_codes(db.get(), 1);
  if (status::Status database = checkIsDatabase(db.get(), path); !database) return {database, nullptr};
  return {status::Status::success(),
          std::make_unique<SqliteConnection>(std::move(db), path, std::chrono::milliseconds(0))};
}

status::Result<std::unique_ptr<Connection>> SqliteEngine::open(const std::string& path, const OpenOptions& options) {
  if (status::Status file = checkIsFile(path); !file) return {file, nullptr};

  sqlite3* raw = nullptr;
  const int result = sqlite3_open_v2(path.c_str(), &raw, SQLITE_OPEN_READWRITE, nullptr);
  SqliteDatabase db{raw};  // a handle comes back even when the open fails
  if (result != SQLITE_OK) return {sqliteFailure(openAttempt(path), db.get(), result), nullptr};
  sqlite3_extended_result_codes(db.get(), 1);
  sqlite3_busy_timeout(db.get(), static_cast<int>(options.busyTimeout.count()));

  // A file SQLite may only read would fail at the first insert, after a file was moved.
  if (sqlite3_db_readonly(db.get(), "main") == 1)
    return {status::Status::failure(openAttempt(path), "the file cannot be written"), nullptr};
  if (status::Status database = checkIsDatabase(db.get(), path); !database) return {database, nullptr};
  return {status::Status::success(), std::make_unique<SqliteConnection>(std::move(db), path, options.busyTimeout)};
}

}  // namespace platform::database
