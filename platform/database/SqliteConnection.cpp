#include <platform/database/SqliteConnection.h>

#include <platform/database/NetworkFileSystem.h>
#include <platform/database/SqliteError.h>
#include <platform/database/SqliteStatement.h>

#include <set>

namespace platform::database {

std::string SqliteConnection::describe(const std::string& attempt) const { return attempt + " in \"" + path_ + "\""; }

status::Result<std::unique_ptr<Statement>> SqliteConnection::prepare(const std::string& sql) {
  sqlite3_stmt* raw = nullptr;
  const int result = sqlite3_prepare_v2(db_.get(), sql.c_str(), static_cast<int>(sql.size()), &raw, nullptr);
  SqliteStatementHandle statement{raw};
  if (result != SQLITE_OK) return {sqliteFailure(describe("prepare " + sql), db_.get(), result), nullptr};
  if (!statement) return {status::Status::failure("prepare a statement", "the text holds none"), nullptr};
  return {status::Status::success(), std::make_unique<SqliteStatement>(db_.get(), std::move(statement), path_)};
}

status::Status SqliteConnection::execute(const std::string& sql) {
  auto prepared = prepare(sql);
  if (!prepared.status) return prepared.status;
  return prepared.value->run({});
}

status::Status SqliteConnection::executeAs(const std::string& sql, const std::string& attempt) {
  const status::Status status = execute(sql);
  return status.within(describe(attempt));
}

status::Status SqliteConnection::begin() { return executeAs("begin immediate", "begin a change"); }

status::Status SqliteConnection::commit() { return executeAs("commit", "commit a change"); }

status::Status SqliteConnection::rollback() {
  // A failed commit or statement may have ended the transaction already.
  if (sqlite3_get_autocommit(db_.get()) != 0) return status::Status::success();
  return executeAs("rollback", "roll back a change");
}

status::Status SqliteConnection::proveWritable(std::chrono::milliseconds wait) {
  sqlite3_busy_timeout(db_.get(), static_cast<int>(wait.count()));
  status::Status step = executeAs("begin immediate", "take the write lock");
  sqlite3_busy_timeout(db_.get(), static_cast<int>(busyTimeout_.count()));
  if (step.busy())
    return status::Status::busyFailure(step.attempt(),
                                       "another program is writing to it; try again when it has finished");
  if (step) step = rewriteUserVersion();
  // The probe wrote back the value it read, so no data rides on this. Should it fail,
  // the write lock stays held and the next begin() is the call that reports it.
  (void)rollback();
  return step;
}

status::Status SqliteConnection::rewriteUserVersion() {
  std::string version;
  if (const int result = queryText("pragma user_version", version); result != SQLITE_OK)
    return sqliteFailure(describe("read the user version"), db_.get(), result);
  return executeAs("pragma user_version = " + version, "write a change");
}

status::Status SqliteConnection::useWriteAheadLog() {
  if (onNetworkFileSystem(path_)) return status::Status::success();
  std::string mode;
  const int result = queryText("pragma journal_mode=wal", mode);
  // Only a lock is worth reporting; any other refusal leaves the rollback journal.
  if (isLocked(result)) return sqliteFailure(describe("switch to write-ahead logging"), db_.get(), result);
  if (result != SQLITE_OK || mode != "wal") return status::Status::success();
  return execute("pragma synchronous=normal");
}

status::Status SqliteConnection::setJournalMode(const std::string& mode) {
  static const std::set<std::string> kModes = {"delete", "truncate", "persist", "memory", "wal", "off"};
  const std::string attempt = describe("put back the journal mode \"" + mode + "\"");
  if (!kModes.count(mode)) return status::Status::failure(attempt, "there is no such mode");
  std::string now;
  const int result = queryText("pragma journal_mode=" + mode, now);
  if (result != SQLITE_OK && !isLocked(result)) return sqliteFailure(attempt, db_.get(), result);
  if (now == mode) return status::Status::success();
  return status::Status::failure(attempt, "another program has it open, so it stays in \"" + journalMode() + "\" mode");
}

std::string SqliteConnection::journalMode() {
  std::string mode;
  queryText("pragma journal_mode", mode);
  return mode;
}

int SqliteConnection::queryText(const std::string& sql, std::string& text) {
  sqlite3_stmt* raw = nullptr;
  int result = sqlite3_prepare_v2(db_.get(), sql.c_str(), -1, &raw, nullptr);
  SqliteStatementHandle statement{raw};
  if (result == SQLITE_OK) result = sqlite3_step(statement.get());
  if (result == SQLITE_ROW) {
    const auto* column = reinterpret_cast<const char*>(sqlite3_column_text(statement.get(), 0));
    text = column ? column : "";
    return SQLITE_OK;
  }
  return result == SQLITE_DONE ? SQLITE_OK : result;
}

}  // namespace platform::database
