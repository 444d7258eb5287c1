#pragma once

#include <platform/database/Status.h>

#include <chrono>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace platform::database {

// One prepared statement of an open database.
class Statement {
 public:
  virtual ~Statement() = default;
  // Binds the texts to the statement's parameters in order, runs it to its end
  // and makes it ready for the next run. The count must match the parameters.
  virtual status::Status run(const std::vector<std::string>& texts) = 0;
  // Of the last successful run: the rows it returned, the rows it changed, and
  // the rowid of the last row inserted through the connection.
  virtual std::int64_t rowsReturned() const = 0;
  virtual std::int64_t rowsChanged() const = 0;
  virtual std::int64_t lastInsertedRowid() const = 0;
};

// An open database file. Destroying it closes the file.
class Connection {
 public:
  virtual ~Connection() = default;

  virtual status::Result<std::unique_ptr<Statement>> prepare(const std::string& sql) = 0;
  // Runs statements that take no parameters and return no rows.
  virtual status::Status execute(const std::string& sql) = 0;

  // begin takes the write lock at once, so another program's lock shows here
  // and not halfway through a unit of work.
  virtual status::Status begin() = 0;
  virtual status::Status commit() = 0;
  // Succeeds also when no transaction is open, e.g. after a failed commit.
  virtual status::Status rollback() = 0;

  // Takes the write lock, waiting at most `wait` for another program's, and
  // makes a change that is rolled back at once. Proves before any real work
  // that a change can be written: no other program is writing, and the file
  // and its folder take what a change needs. Busy when another program writes.
  virtual status::Status proveWritable(std::chrono::milliseconds wait) = 0;

  // Switches to write-ahead logging with synchronous=NORMAL where the file system
  // allows it: every committed transaction survives the program being killed, and
  // a commit costs no flush of its own. On network file systems, or where the
  // switch is refused, the rollback journal stays. Fails only when locked.
  virtual status::Status useWriteAheadLog() = 0;
  // "wal", "delete", ... as the engine reports it.
  virtual std::string journalMode() = 0;
  // Puts back a journal mode that journalMode() reported earlier. Leaving
  // write-ahead logging needs the file to itself: while another program holds it
  // open the mode stays, and this says so.
  virtual status::Status setJournalMode(const std::string& mode) = 0;
};

struct OpenOptions {
  // How long to wait for another program's lock before giving up.
  std::chrono::milliseconds busyTimeout{5000};
};

// Opens database files. Created once and kept while the program runs.
class Engine {
 public:
  virtual ~Engine() = default;
  // Opens an existing database file for reading and writing, shared with other
  // programs. Never creates a file: a missing file, a file that is not a
  // database, or one that cannot be written is an error here.
  virtual status::Result<std::unique_ptr<Connection>> open(const std::string& path,
                                                           const OpenOptions& options = {}) = 0;
  // Opens an existing database file only to read what it is, leaving it and its
  // folder exactly as they are: no lock, no side file, even in write-ahead logging.
  virtual status::Result<std::unique_ptr<Connection>> openToLook(const std::string& path) = 0;
};

}  // namespace platform::database
