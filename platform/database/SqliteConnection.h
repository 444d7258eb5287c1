#pragma once

#include <platform/database/Database.h>
#include <platform/database/SqliteHandles.h>

namespace platform::database {

class SqliteConnection : public Connection {
 public:
  // busyTimeout: the wait for another program's lock that the engine set on db.
  SqliteConnection(SqliteDatabase db, std::string path, std::chrono::milliseconds busyTimeout)
      : db_(std::move(db)), path_(std::move(path)), busyTimeout_(busyTimeout) {}

  status::Result<std::unique_ptr<Statement>> prepare(const std::string& sql) override;
  status::Status execute(const std::string& sql) override;
  status::Status begin() override;
  status::Status commit() override;
  status::Status rollback() override;
  status::Status proveWritable(std::chrono::milliseconds wait) override;
  status::Status useWriteAheadLog() override;
  std::string journalMode() override;
  status::Status setJournalMode(const std::string& mode) override;

 private:
  // Runs a statement, puts the first column of its first row into text and
  // returns the engine's result code (SQLITE_OK when it ran).
  int queryText(const std::string& sql, std::string& text);
  std::string describe(const std::string& attempt) const;
  // Runs sql; a failure names the attempt and the database instead of the text.
  status::Status executeAs(const std::string& sql, const std::string& attempt);
  // Rewrites the header's user version with its own value: a change of one page.
  status::Status rewriteUserVersion();

  SqliteDatabase db_;
  std::string path_;
  std::chrono::milliseconds busyTimeout_;
};

}  // namespace platform::database
