#pragma once

#include <sqlite3.h>

#include <stdexcept>
#include <string>
#include <vector>

namespace tests::support {

// Reaches a database file behind the engine's back, to prepare a test and to
// check what really reached the file.
class RawDatabase {
 public:
  explicit RawDatabase(const std::string& path) {
    if (sqlite3_open_v2(path.c_str(), &db_, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr) != SQLITE_OK)
      throw std::runtime_error("cannot open " + path + ": " + sqlite3_errmsg(db_));
  }
  RawDatabase(const RawDatabase&) = delete;
  RawDatabase& operator=(const RawDatabase&) = delete;
  ~RawDatabase() { sqlite3_close_v2(db_); }

  // Returns the engine's result code, so a test can also expect a refusal.
  int execute(const std::string& sql) { return sqlite3_exec(db_, sql.c_str(), nullptr, nullptr, nullptr); }

  std::vector<std::vector<std::string>> rows(const std::string& sql) {
    std::vector<std::vector<std::string>> result;
    sqlite3_stmt* statement = nullptr;
    if (sqlite3_prepare_v2(db_, sql.c_str(), -1, &statement, nullptr) != SQLITE_OK)
      throw std::runtime_error("cannot prepare " + sql + ": " + sqlite3_errmsg(db_));
    while (sqlite3_step(statement) == SQLITE_ROW) {
      std::vector<std::string> row;
      for (int column = 0; column < sqlite3_column_count(statement); ++column) {
        const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(statement, column));
        const auto size = static_cast<std::size_t>(sqlite3_column_bytes(statement, column));
        row.push_back(text ? std::string(text, size) : std::string("NULL"));
      }
      result.push_back(std::move(row));
    }
    sqlite3_finalize(statement);
    return result;
  }

 private:
  sqlite3* db_ = nullptr;
};

}  // namespace tests::support
