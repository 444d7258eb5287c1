#pragma once

#include "database/Database.h"
#include "database/SqliteHandles.h"

#include <string>

namespace platform::database {

class SqliteStatement : public Statement {
 public:
  // db belongs to the connection; its close waits until this statement is finalized.
  // path names the database in messages.
  SqliteStatement(sqlite3* db, SqliteStatementHandle statement, std::string path)
      : db_(db), statement_(std::move(statement)), path_(std::move(path)) {}

  Status run(const std::vector<std::string>& texts) override;

 private:
  Status bind(const std::vector<std::string>& texts);
  std::string attempt() const;

  sqlite3* db_;
  SqliteStatementHandle statement_;
  std::string path_;
};

}  // namespace platform::database
