#pragma once
#include <sys/types.h>

#include <catalogue/CatalogueFiles.h>
#include <filesystem/FileDescriptor.h>

#include "RecoveryJournal.h"

namespace mervalis {

// The journal as a small text file beside the catalogue ("<catalogue>.journal")
// while a run goes on: a line "mode<TAB><journal mode found>", then, while a move
// is under way, one line "move<TAB>source<TAB>target" (tab, newline and backslash
// escaped). Each move line replaces the last one, so the file never grows, and
// the file goes when the run ends without a move in flight. Written without a flush to disk: it guards against the
// program being killed, which the kernel's page cache survives; a flush per
// file would cost more than the rest of filing it.
// The open journal holds a lock on its file, so one run at a time files into a
// catalogue: a second run would replace the first one's note. The kernel drops
// the lock of a run that dies, so the next run still finds its note.
class FileRecoveryJournal : public RecoveryJournal {
 public:
  static std::string journalPathOf(const std::string& cataloguePath) {
    return cataloguePath + std::string(kRecoveryNoteSuffix);
  }

  Status open(const std::string& cataloguePath, bool& found, MoveInFlight& left) override;
  Status committed(const MoveInFlight& move, bool& hasRow) override;
  Status record(const MoveInFlight& move) override;
  Status clear() override;
  std::string journalModeLeft() const override { return modeLeft_; }
  Status noteJournalMode(const std::string& mode) override;
  void close() override;

 private:
  // A catalogue removed or replaced during the run would take the rows of the
  // files moved after that with it.
  Status checkCatalogueUnchanged() const;
  Status lockForThisRun(platform::filesystem::FileDescriptor& file) const;
  Status writeFrom(off_t offset, const std::string& text, const std::string& attempt);
  void removeIfNothingInFlight();

  platform::filesystem::FileDescriptor file_;
  std::string modeLeft_;
  off_t modeLineSize_ = 0;     // the move line, if any, starts here
  bool moveInFlight_ = false;  // as the file says
  std::string cataloguePath_, journalPath_;
  dev_t catalogueDevice_ = 0;
  ino_t catalogueInode_ = 0;
};

// The line of one move, and back; parse fails on a torn or foreign line.
std::string journalLine(const MoveInFlight& move);
bool parseJournalLine(const std::string& text, MoveInFlight& move);
// The mode line, and back: what it says and where the rest of the text starts;
// a text without a whole mode line has none.
std::string journalModeLine(const std::string& mode);
std::size_t parseJournalModeLine(const std::string& text, std::string& mode);

}  // namespace mervalis
