#include "database/SqliteError.h"

namespace platform::database {

bool isLocked(int resultCode) {
  const int primary = resultCode & 0xff;
  return primary == SQLITE_BUSY || primary == SQLITE_LOCKED;
}

Status sqliteFailure(const std::string& attempt, sqlite3* db, int resultCode) {
  std::string reason;
  if (isLocked(resultCode))
    reason = "it is locked by another program";
  else if ((resultCode & 0xff) == SQLITE_NOTADB)
    reason = "the file is not a database";
  else if (db != nullptr)
    reason = sqlite3_errmsg(db);
  else
    reason = sqlite3_errstr(resultCode);
  return Status::failure(attempt, reason);
}

}  // namespace platform::database
