#pragma once

#include "database/Database.h"
#include "database/SqliteHandles.h"

namespace platform::database {

class SqliteStatement : public Statement {
public:
    // db belongs to the connection; its close waits until this statement is finalized.
    SqliteStatement(sqlite3* db, SqliteStatementHandle statement)
        : db_(db), statement_(std::move(statement)) {}

    Status run(const std::vector<std::string>& texts) override;

private:
    Status bind(const std::vector<std::string>& texts);

    sqlite3* db_;
    SqliteStatementHandle statement_;
};

}  // namespace platform::database
