#pragma once

#include <platform/database/Status.h>

#include <cstdint>
#include <string>

namespace administrator::catalogue {

// One row as a run wrote it: the row's id and its four values.
struct CatalogueRow {
  std::int64_t rowid = 0;
  std::string track, artist, album, fileName;
  bool operator==(const CatalogueRow&) const = default;
};

// The catalogue file of an import run: one row per filed music file.
// The run talks to this interface only, so tests can put a double in its place.
class Catalogue {
 public:
  virtual ~Catalogue() = default;

  // Opens the file and checks at once that it can take rows, so a wrong file,
  // one another program is writing to, or one whose folder cannot be written
  // is refused before any music file is touched. Busy when another program is
  // writing; so is a later failure of begin, insert or commit for that reason.
  virtual platform::status::Status open(const std::string& path) = 0;
  virtual platform::status::Status begin() = 0;
  virtual platform::status::Status insert(const std::string& track, const std::string& artist, const std::string& album,
                                          const std::string& fileName) = 0;
  // The rowid of the row the last successful insert added.
  virtual std::int64_t insertedRowid() const = 0;
  virtual platform::status::Status commit() = 0;
  virtual platform::status::Status rollback() = 0;
  // The journal mode the file was in when it was opened, before the run switched
  // it to write-ahead logging for its speed; empty when not open.
  virtual std::string journalModeFound() const = 0;
  // Puts a journal mode back before the close, so the catalogue is left as it was
  // found; fails, changing nothing, while another program holds the file open.
  virtual platform::status::Status putBackJournalMode(const std::string& mode) = 0;
  // Whether the row with that rowid still holds exactly those values.
  virtual platform::status::Status holdsRow(const CatalogueRow& row, bool& holds) = 0;
  // Deletes the row with that rowid only while it still holds exactly those
  // values; `deleted` says whether it did.
  virtual platform::status::Status deleteRow(const CatalogueRow& row, bool& deleted) = 0;
  // Puts a deleted row back with its rowid.
  virtual platform::status::Status restoreRow(const CatalogueRow& row) = 0;
  // Rolls back what is not committed and closes the file; harmless when closed.
  virtual void close() = 0;
};

}  // namespace administrator::catalogue
