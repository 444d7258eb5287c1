#pragma once
#include <sys/types.h>

#include <catalogue/CatalogueFiles.h>
#include <filesystem/FileDescriptor.h>

#include "RecoveryJournal.h"

namespace mervalis {

// The journal as a small text file beside the catalogue ("<catalogue>.journal"):
// empty while no move is under way, else one line "move<TAB>source<TAB>target"
// (tab, newline and backslash escaped). Each line replaces the last one, so the
// file never grows. Written without a flush to disk: it guards against the
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
  void close() override;

 private:
  // A catalogue removed or replaced during the run would take the rows of the
  // files moved after that with it.
  Status checkCatalogueUnchanged() const;
  Status lockForThisRun(int fd) const;

  platform::filesystem::FileDescriptor file_;
  std::string cataloguePath_, journalPath_;
  dev_t catalogueDevice_ = 0;
  ino_t catalogueInode_ = 0;
};

// The line of one move, and back; parse fails on a torn or foreign line.
std::string journalLine(const MoveInFlight& move);
bool parseJournalLine(const std::string& text, MoveInFlight& move);

}  // namespace mervalis
