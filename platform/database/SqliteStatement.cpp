#include <platform/database/SqliteStatement.h>

#include <platform/database/SqliteError.h>

namespace platform::database {
namespace {

// Leaves the statement reset and unbound whatever happens, so no bound text
// outlives a run and the next run starts clean.
class ResetOnExit {
 public:
  explicit ResetOnExit(sqlite3_stmt* statement) : statement_(statement) {}
  ResetOnExit(const ResetOnExit&) = delete;
  ResetOnExit& operator=(const ResetOnExit&) = delete;
  ~ResetOnExit() {
    sqlite3_reset(statement_);
    sqlite3_clear_bindings(statement_);
  }

 private:
  sqlite3_stmt* statement_;
};

}  // namespace

status::Status SqliteStatement::run(const std::vector<std::string>& texts) {
  ResetOnExit reset{statement_.get()};
  if (status::Status bound = bind(texts); !bound) return bound;
  rowsReturned_ = rowsChanged_ = 0;
  int result = sqlite3_step(statement_.get());
  for (; result == SQLITE_ROW; result = sqlite3_step(statement_.get())) ++rowsReturned_;
  if (result != SQLITE_DONE) return sqliteFailure(attempt(), db_, result);
  // The connection's count still tells of the last change after a query.
  rowsChanged_ = sqlite3_stmt_readonly(statement_.get()) ? 0 : sqlite3_changes64(db_);
  lastInsertedRowid_ = sqlite3_last_insert_rowid(db_);
  return status::Status::success();
}

std::string SqliteStatement::attempt() const {
  return "run " + std::string(sqlite3_sql(statement_.get())) + " in \"" + path_ + "\"";
}

status::Status SqliteStatement::bind(const std::vector<std::string>& texts) {
  const int expected = sqlite3_bind_parameter_count(statement_.get());
  if (static_cast<std::size_t>(expected) != texts.size())
    return status::Status::failure(
        attempt(), "it takes " + std::to_string(expected) + " values, not " + std::to_string(texts.size()));
  for (int index = 0; index < expected; ++index) {
    const std::string& text = texts[static_cast<std::size_t>(index)];
    const int result =
        sqlite3_bind_text64(statement_.get(), index + 1, text.data(), text.size(), SQLITE_TRANSIENT, SQLITE_UTF8);
    if (result != SQLITE_OK) return sqliteFailure(attempt(), db_, result);
  }
  return status::Status::success();
}

}  // namespace platform::database
