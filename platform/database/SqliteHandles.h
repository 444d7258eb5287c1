#pragma once

#include <sqlite3.h>

#include <memory>

namespace platform::database {

struct SqliteCloser {
  // close_v2 defers the close until the last statement is finalized, so the
  // order in which owners release their handles cannot leak the connection.
  void operator()(sqlite3* db) const { sqlite3_close_v2(db); }
};

struct SqliteFinalizer {
  void operator()(sqlite3_stmt* statement) const { sqlite3_finalize(statement); }
};

using SqliteDatabase = std::unique_ptr<sqlite3, SqliteCloser>;
using SqliteStatementHandle = std::unique_ptr<sqlite3_stmt, SqliteFinalizer>;

}  // namespace platform::database
