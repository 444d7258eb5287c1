#pragma once

#include <platform/database/Database.h>
#include <platform/database/SqliteHandles.h>

#include <string>

namespace platform::database {

class SqliteStatement : public Statement {
 public:
  // db belongs to the connection; its close waits until this statement is finalized.
  // path names the database in messages.
  SqliteStatement(sqlite3* db, SqliteStatementHandle statement, std::string path)
      : db_(db), statement_(std::move(statement)), path_(std::move(path)) {}

  status::Status run(const std::vector<std::string>& texts) override;
  std::int64_t rowsReturned() const override { return rowsReturned_; }
  std::int64_t rowsChanged() const override { return rowsChanged_; }
  std::int64_t lastInsertedRowid() const override { return lastInsertedRowid_; }

 private:
  status::Status bind(const std::vector<std::string>& texts);
  std::string attempt() const;

  sqlite3* db_;
  SqliteStatementHandle statement_;
  std::string path_;
  std::int64_t rowsReturned_ = 0, rowsChanged_ = 0, lastInsertedRowid_ = 0;
};

}  // namespace platform::database
