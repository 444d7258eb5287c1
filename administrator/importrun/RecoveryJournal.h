#pragma once
#include <string>

#include <status/Status.h>

namespace mervalis {

using platform::Status;

// The one move a run has under way: the file leaves `source` for `target` and its
// catalogue row is not committed yet.
struct MoveInFlight {
  std::string source, target;
  bool operator==(const MoveInFlight&) const = default;
};

// Remembers the move in flight outside the catalogue, so that a run killed between
// a move and its commit leaves a trace that the next run finds and undoes.
class RecoveryJournal {
 public:
  virtual ~RecoveryJournal() = default;
  // Opens the journal that belongs to the catalogue; `found` tells whether an
  // earlier run left a move in flight, which `left` then names.
  virtual Status open(const std::string& cataloguePath, bool& found, MoveInFlight& left) = 0;
  // Whether the catalogue holds a committed row for the move's target.
  virtual Status committed(const MoveInFlight& move, bool& hasRow) = 0;
  // Notes the move before it happens; a failure keeps the file where it is.
  virtual Status record(const MoveInFlight& move) = 0;
  // Forgets the noted move once its unit has ended either way.
  virtual Status clear() = 0;
  // The catalogue's journal mode as an earlier run found it, noted by that run
  // and left because it was killed before putting the mode back; empty if none.
  virtual std::string journalModeLeft() const = 0;
  // Notes the mode this run is to put back, in case it is killed first.
  virtual Status noteJournalMode(const std::string& mode) = 0;
  // Without a move in flight nothing of the run is left beside the catalogue.
  virtual void close() = 0;
};

}  // namespace mervalis
