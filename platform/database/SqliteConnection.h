#pragma once

#include "database/Database.h"
#include "database/SqliteHandles.h"

namespace platform::database {

class SqliteConnection : public Connection {
 public:
  SqliteConnection(SqliteDatabase db, std::string path) : db_(std::move(db)), path_(std::move(path)) {}

  Result<std::unique_ptr<Statement>> prepare(const std::string& sql) override;
  Status execute(const std::string& sql) override;
  Status begin() override;
  Status commit() override;
  Status rollback() override;
  Status useWriteAheadLog() override;
  std::string journalMode() override;

 private:
  // Runs a statement, puts the first column of its first row into text and
  // returns the engine's result code (SQLITE_OK when it ran).
  int queryText(const std::string& sql, std::string& text);
  std::string describe(const std::string& attempt) const;
  // Runs sql; a failure names the attempt and the database instead of the text.
  Status executeAs(const std::string& sql, const std::string& attempt);

  SqliteDatabase db_;
  std::string path_;
};

}  // namespace platform::database
