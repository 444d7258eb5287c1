#include <platform/database/SqliteError.h>

namespace platform::database {

bool isLocked(int resultCode) {
  const int primary = resultCode & 0xff;
  return primary == SQLITE_BUSY || primary == SQLITE_LOCKED;
}

status::Status sqliteFailure(const std::string& attempt, sqlite3* db, int resultCode) {
  if (isLocked(resultCode)) return status::Status::busyFailure(attempt, "it is locked by another program");
  std::string reason;
  if (resultCode == SQLITE_READONLY_DIRECTORY)
    // The file itself may be writable; the side file a change needs is not.
    reason = "its folder cannot be written, so no change can be made to it";
  else if ((resultCode & 0xff) == SQLITE_NOTADB)
    reason = "the file is not a database";
  else if (db != nullptr)
    reason = sqlite3_errmsg(db);
  else
    reason = sqlite3_errstr(resultCode);
  return status::Status::failure(attempt, reason);
}

}  // namespace platform::database
