#include <administrator/catalogue/SqliteCatalogue.h>

#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <vector>

namespace administrator::catalogue {

using platform::status::Status;
namespace {

using namespace std::chrono_literals;

// Long enough for another program's commit to end, short enough that a program
// holding its changes open is reported at once.
constexpr std::chrono::milliseconds kStartLockWait = 250ms;

// `is` compares a NULL as equal to a NULL; the values are bound as text.
constexpr const char* kSameRow =
    "rowid = cast(? as integer) and Track is ? and Artist is ? and Album is ? and FileName is ?";

std::vector<std::string> rowValues(const CatalogueRow& row) {
  return {std::to_string(row.rowid), row.track, row.artist, row.album, row.fileName};
}

std::string catalogueAttempt(const std::string& path) { return "open the catalogue \"" + path + "\""; }

}  // namespace

// Writing is judged by the permissions alone: a real change would leave its
// side files in the folder, which a look must not.
Status SqliteCatalogue::check(platform::database::Engine& engine, const std::string& path) {
  auto opened = engine.openToLook(path);
  if (!opened.status) return opened.status.within(catalogueAttempt(path));
  if (auto prepared = opened.value->prepare(insertStatement); !prepared.status)
    return prepared.status.within(catalogueAttempt(path));
  if (::access(path.c_str(), W_OK) != 0) return Status::failure(catalogueAttempt(path), "the file cannot be written");
  const std::string folder = std::filesystem::path(path).parent_path().string();
  if (::access(folder.empty() ? "." : folder.c_str(), W_OK) != 0)
    return Status::failure(catalogueAttempt(path), "its folder cannot be written, so no change can be made to it");
  return Status::success();
}

Status SqliteCatalogue::open(const std::string& path) {
  close();
  auto opened = engine_.open(path, options_);
  if (!opened.status) return opened.status.within(catalogueAttempt(path));

  // Preparing the insert proves the table and its four columns exist. It comes
  // before the journal switch, so a wrong database is refused unchanged.
  auto prepared = opened.value->prepare(insertStatement);
  if (!prepared.status) return prepared.status.within(catalogueAttempt(path));
  const std::string found = opened.value->journalMode();
  if (Status journal = opened.value->useWriteAheadLog(); !journal) return journal.within(catalogueAttempt(path));
  // Else a writing program or a folder that takes no side file would fail every
  // file of the run, one by one.
  if (Status writable = opened.value->proveWritable(std::min(options_.busyTimeout, kStartLockWait)); !writable) {
    (void)opened.value->setJournalMode(found);  // a refused catalogue is left as it was, where it can be
    return writable.within(catalogueAttempt(path));
  }

  auto holds = opened.value->prepare(std::string("select 1 from [MP3Info] where ") + kSameRow);
  if (!holds.status) return holds.status.within(catalogueAttempt(path));
  auto deletes = opened.value->prepare(std::string("delete from [MP3Info] where ") + kSameRow);
  if (!deletes.status) return deletes.status.within(catalogueAttempt(path));
  auto restores = opened.value->prepare(
      "insert into [MP3Info] (rowid,Track,Artist,Album,FileName) Values (cast(? as integer),?,?,?,?)");
  if (!restores.status) return restores.status.within(catalogueAttempt(path));

  connection_ = std::move(opened.value);
  insert_ = std::move(prepared.value);
  holdsRow_ = std::move(holds.value);
  deleteRow_ = std::move(deletes.value);
  restoreRow_ = std::move(restores.value);
  journalModeFound_ = found;
  return Status::success();
}

Status SqliteCatalogue::putBackJournalMode(const std::string& mode) {
  if (!connection_) return notOpen("put back the catalogue's journal mode");
  if (connection_->journalMode() == mode) return Status::success();
  return connection_->setJournalMode(mode);
}

Status SqliteCatalogue::notOpen(const std::string& attempt) const {
  return Status::failure(attempt, "the catalogue is not open");
}

Status SqliteCatalogue::begin() { return connection_ ? connection_->begin() : notOpen("begin a catalogue change"); }

Status SqliteCatalogue::insert(const std::string& track, const std::string& artist, const std::string& album,
                               const std::string& fileName) {
  if (!insert_) return notOpen("add a row to the catalogue");
  return insert_->run({track, artist, album, fileName});
}

Status SqliteCatalogue::commit() { return connection_ ? connection_->commit() : notOpen("commit a catalogue change"); }

Status SqliteCatalogue::rollback() {
  return connection_ ? connection_->rollback() : notOpen("roll back a catalogue change");
}

Status SqliteCatalogue::holdsRow(const CatalogueRow& row, bool& holds) {
  return runOnRow(holdsRow_.get(), row, "look up a row of the catalogue", holds);
}

Status SqliteCatalogue::deleteRow(const CatalogueRow& row, bool& deleted) {
  return runOnRow(deleteRow_.get(), row, "remove a row from the catalogue", deleted);
}

// `found`: whether the statement met the row, by a row returned or one changed.
Status SqliteCatalogue::runOnRow(platform::database::Statement* statement, const CatalogueRow& row,
                                 const std::string& attempt, bool& found) {
  found = false;
  if (!statement) return notOpen(attempt);
  Status ran = statement->run(rowValues(row));
  found = ran && (statement->rowsReturned() > 0 || statement->rowsChanged() > 0);
  return ran;
}

Status SqliteCatalogue::restoreRow(const CatalogueRow& row) {
  if (!restoreRow_) return notOpen("put a row back into the catalogue");
  return restoreRow_->run(rowValues(row));
}

void SqliteCatalogue::close() {
  // Closing ends an unfinished change in any case; this only does it first.
  if (connection_) (void)connection_->rollback();
  insert_.reset();
  holdsRow_.reset();
  deleteRow_.reset();
  restoreRow_.reset();
  connection_.reset();
  journalModeFound_.clear();
}

std::string SqliteCatalogue::journalMode() { return connection_ ? connection_->journalMode() : std::string(); }

}  // namespace administrator::catalogue
