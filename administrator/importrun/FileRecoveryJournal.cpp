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

  platform::filesystem::FileDescriptor file{::open(journalPath_.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0644)};
  if (!file.valid()) return Status::failure(attempt, systemCause(errno));
  if (Status locked = lockForThisRun(file.get()); !locked) return locked;
  std::string text;
  if (Status read = readWhole(file.get(), journalPath_, text); !read) return read;
  // A torn line was being written when a run stopped, so its move never began.
  found = parseJournalLine(text, left);
  file_ = std::move(file);
  return Status::success();
}

Status FileRecoveryJournal::lockForThisRun(int fd) const {
  if (::flock(fd, LOCK_EX | LOCK_NB) == 0) return Status::success();
  if (errno == EWOULDBLOCK)
    return Status::failure("file into the catalogue \"" + cataloguePath_ + "\"",
                           "another run is filing into it; try again when it has finished");
  // A file system without locks keeps the journal working as it did before.
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
  const std::string line = journalLine(move);
  if (::ftruncate(file_.get(), 0) != 0) return Status::failure(attempt, systemCause(errno));
  std::size_t written = 0;
  while (written < line.size()) {
    const ssize_t put = ::pwrite(file_.get(), line.data() + written, line.size() - written,
                                 static_cast<off_t>(written));
    if (put < 0 && errno == EINTR) continue;
    if (put < 0) {
      const int error = errno;
      ::ftruncate(file_.get(), 0);  // a torn line must not outlive the failure
      return Status::failure(attempt, systemCause(error));
    }
    written += static_cast<std::size_t>(put);
  }
  return Status::success();
}

Status FileRecoveryJournal::clear() {
  if (!file_.valid()) return Status::success();
  if (::ftruncate(file_.get(), 0) != 0)
    return Status::failure("clear the journal \"" + journalPath_ + "\"", systemCause(errno));
  return Status::success();
}

void FileRecoveryJournal::close() { file_ = platform::filesystem::FileDescriptor(); }

}  // namespace mervalis
