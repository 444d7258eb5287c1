#include "FileRecoveryJournal.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <system_error>

#include <database/SqliteHandles.h>

namespace mervalis {
namespace {

constexpr std::string_view kMoveTag = "move\t";
constexpr std::string_view kModeTag = "mode\t";

std::string systemCause(int error) { return std::generic_category().message(error); }

void appendEscaped(std::string& line, const std::string& path) {
  for (const char c : path) {
    switch (c) {
      case '\\': line += "\\\\"; break;
      case '\t': line += "\\t"; break;
      case '\n': line += "\\n"; break;
      default: line += c;
    }
  }
}

// Reads one escaped field up to the stop character; false when it is missing.
bool readField(const std::string& text, std::size_t& at, char stop, std::string& field) {
  field.clear();
  for (; at < text.size(); ++at) {
    const char c = text[at];
    if (c == stop) {
      ++at;
      return true;
    }
    if (c != '\\') {
      field += c;
      continue;
    }
    if (++at == text.size()) return false;
    switch (text[at]) {
      case '\\': field += '\\'; break;
      case 't': field += '\t'; break;
      case 'n': field += '\n'; break;
      default: return false;
    }
  }
  return false;
}

Status readWhole(int fd, const std::string& path, std::string& text) {
  text.clear();
  char buffer[4096];
  for (off_t offset = 0;;) {
    const ssize_t got = ::pread(fd, buffer, sizeof buffer, offset);
    if (got < 0 && errno == EINTR) continue;
    if (got < 0) return Status::failure("read the journal \"" + path + "\"", systemCause(errno));
    if (got == 0) return Status::success();
    text.append(buffer, static_cast<std::size_t>(got));
    offset += got;
  }
}

}  // namespace

std::string journalLine(const MoveInFlight& move) {
  std::string line(kMoveTag);
  appendEscaped(line, move.source);
  line += '\t';
  appendEscaped(line, move.target);
  line += '\n';
  return line;
}

std::string journalModeLine(const std::string& mode) {
  std::string line(kModeTag);
  appendEscaped(line, mode);
  line += '\n';
  return line;
}

std::size_t parseJournalModeLine(const std::string& text, std::string& mode) {
  mode.clear();
  if (text.compare(0, kModeTag.size(), kModeTag) != 0) return 0;
  std::size_t at = kModeTag.size();
  std::string parsed;
  if (!readField(text, at, '\n', parsed)) return 0;
  mode = std::move(parsed);
  return at;
}

bool parseJournalLine(const std::string& text, MoveInFlight& move) {
  if (text.compare(0, kMoveTag.size(), kMoveTag) != 0) return false;
  std::size_t at = kMoveTag.size();
  MoveInFlight parsed;
  if (!readField(text, at, '\t', parsed.source) || !readField(text, at, '\n', parsed.target)) return false;
  if (at != text.size() || parsed.source.empty() || parsed.target.empty()) return false;
  move = std::move(parsed);
  return true;
}

Status FileRecoveryJournal::open(const std::string& cataloguePath, bool& found, MoveInFlight& left) {
  close();
  found = false;
  cataloguePath_ = cataloguePath;
  journalPath_ = journalPathOf(cataloguePath);
  const std::string attempt = "open the journal \"" + journalPath_ + "\"";
  struct stat catalogue {};
  if (::stat(cataloguePath.c_str(), &catalogue) != 0) return Status::failure(attempt, systemCause(errno));
  catalogueDevice_ = catalogue.st_dev;
  catalogueInode_ = catalogue.st_ino;

  platform::filesystem::FileDescriptor file;
  if (Status locked = lockForThisRun(file); !locked) return locked;
  std::string text;
  if (Status read = readWhole(file.get(), journalPath_, text); !read) return read;
  const std::size_t moveLine = parseJournalModeLine(text, modeLeft_);
  // A torn line was being written when a run stopped, so its move never began.
  found = parseJournalLine(text.substr(moveLine), left);
  moveInFlight_ = found;
  modeLineSize_ = static_cast<off_t>(moveLine);
  file_ = std::move(file);
  return Status::success();
}

// The lock is on the file, not its name: a run that has just ended may have
// removed the file this run opened, so the lock counts only while the name still
// leads to the locked file.
Status FileRecoveryJournal::lockForThisRun(platform::filesystem::FileDescriptor& file) const {
  const std::string attempt = "open the journal \"" + journalPath_ + "\"";
  for (int tries = 0; tries < 100; ++tries) {
    file = platform::filesystem::FileDescriptor{::open(journalPath_.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0644)};
    if (!file.valid()) return Status::failure(attempt, systemCause(errno));
    if (::flock(file.get(), LOCK_EX | LOCK_NB) != 0) {
      if (errno == EWOULDBLOCK)
        return Status::failure("file into the catalogue \"" + cataloguePath_ + "\"",
                               "another run is filing into it; try again when it has finished");
      return Status::success();  // a file system without locks keeps the journal working as before
    }
    struct stat locked {}, named {};
    if (::fstat(file.get(), &locked) != 0) return Status::failure(attempt, systemCause(errno));
    if (::stat(journalPath_.c_str(), &named) == 0 && named.st_dev == locked.st_dev && named.st_ino == locked.st_ino)
      return Status::success();
  }
  return Status::failure(attempt, "other runs keep replacing it");
}

Status FileRecoveryJournal::noteJournalMode(const std::string& mode) {
  const std::string attempt = "note the journal mode in \"" + journalPath_ + "\"";
  if (!file_.valid()) return Status::failure(attempt, "the journal is not open");
  if (moveInFlight_) return Status::failure(attempt, "a move is still noted in it");
  const std::string line = journalModeLine(mode);
  if (Status written = writeFrom(0, line, attempt); !written) return written;
  modeLineSize_ = static_cast<off_t>(line.size());
  return Status::success();
}

Status FileRecoveryJournal::committed(const MoveInFlight& move, bool& hasRow) {
  hasRow = false;
  const std::string attempt = "look up \"" + move.target + "\" in the catalogue \"" + cataloguePath_ + "\"";
  sqlite3* raw = nullptr;
  const int opened = sqlite3_open_v2(cataloguePath_.c_str(), &raw, SQLITE_OPEN_READWRITE, nullptr);
  platform::database::SqliteDatabase db{raw};
  if (opened != SQLITE_OK) return Status::failure(attempt, sqlite3_errstr(opened));
  sqlite3_busy_timeout(db.get(), 5000);
  sqlite3_stmt* rawStatement = nullptr;
  int result = sqlite3_prepare_v2(db.get(), "select 1 from MP3Info where FileName = ? limit 1", -1, &rawStatement,
                                  nullptr);
  platform::database::SqliteStatementHandle statement{rawStatement};
  if (result == SQLITE_OK)
    result = sqlite3_bind_text(statement.get(), 1, move.target.data(), static_cast<int>(move.target.size()),
                               SQLITE_TRANSIENT);
  if (result == SQLITE_OK) result = sqlite3_step(statement.get());
  if (result != SQLITE_ROW && result != SQLITE_DONE) return Status::failure(attempt, sqlite3_errmsg(db.get()));
  hasRow = result == SQLITE_ROW;
  return Status::success();
}

Status FileRecoveryJournal::checkCatalogueUnchanged() const {
  struct stat now {};
  if (::stat(cataloguePath_.c_str(), &now) == 0 && now.st_dev == catalogueDevice_ && now.st_ino == catalogueInode_)
    return Status::success();
  return Status::failure("keep filing into the catalogue \"" + cataloguePath_ + "\"",
                         "the file was removed or replaced during the run");
}

Status FileRecoveryJournal::record(const MoveInFlight& move) {
  const std::string attempt = "note the move in the journal \"" + journalPath_ + "\"";
  if (!file_.valid()) return Status::failure(attempt, "the journal is not open");
  if (Status same = checkCatalogueUnchanged(); !same) return same;
  moveInFlight_ = true;  // also when the write fails part way: the file may hold some of it
  if (Status written = writeFrom(modeLineSize_, journalLine(move), attempt); !written) return written;
  return Status::success();
}

// Replaces what stands from `offset` on with `text`.
Status FileRecoveryJournal::writeFrom(off_t offset, const std::string& text, const std::string& attempt) {
  if (::ftruncate(file_.get(), offset) != 0) return Status::failure(attempt, systemCause(errno));
  std::size_t written = 0;
  while (written < text.size()) {
    const ssize_t put =
        ::pwrite(file_.get(), text.data() + written, text.size() - written, offset + static_cast<off_t>(written));
    if (put < 0 && errno == EINTR) continue;
    if (put < 0) {
      const int error = errno;
      ::ftruncate(file_.get(), offset);  // a torn line must not outlive the failure
      return Status::failure(attempt, systemCause(error));
    }
    written += static_cast<std::size_t>(put);
  }
  return Status::success();
}

Status FileRecoveryJournal::clear() {
  if (!file_.valid()) return Status::success();
  if (::ftruncate(file_.get(), modeLineSize_) != 0)
    return Status::failure("clear the journal \"" + journalPath_ + "\"", systemCause(errno));
  moveInFlight_ = false;
  return Status::success();
}

void FileRecoveryJournal::close() {
  removeIfNothingInFlight();
  file_ = platform::filesystem::FileDescriptor();
  modeLeft_.clear();
  modeLineSize_ = 0;
  moveInFlight_ = false;
}

// Only while the name still leads to this run's locked file: after a kill the
// name may be another run's.
void FileRecoveryJournal::removeIfNothingInFlight() {
  if (!file_.valid() || moveInFlight_) return;
  struct stat held {}, named {};
  if (::fstat(file_.get(), &held) != 0 || ::stat(journalPath_.c_str(), &named) != 0) return;
  if (held.st_dev == named.st_dev && held.st_ino == named.st_ino) ::unlink(journalPath_.c_str());
}

}  // namespace mervalis
