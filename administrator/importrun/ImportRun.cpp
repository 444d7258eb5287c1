#include "ImportRun.h"

#include <text/Utf.h>

#include "RunTexts.h"

namespace mervalis {
namespace {

// For runs without a journal: notes nothing and finds nothing.
class NoRecoveryJournal : public RecoveryJournal {
 public:
  Status open(const std::string&, bool& found, MoveInFlight&) override {
    found = false;
    return Status::success();
  }
  Status committed(const MoveInFlight&, bool& hasRow) override {
    hasRow = true;
    return Status::success();
  }
  Status record(const MoveInFlight&) override { return Status::success(); }
  Status clear() override { return Status::success(); }
  std::string journalModeLeft() const override { return {}; }
  Status noteJournalMode(const std::string&) override { return Status::success(); }
  void close() override {}
};

RecoveryJournal& noRecoveryJournal() {
  static NoRecoveryJournal none;
  return none;
}

}  // namespace

ImportRun::ImportRun(TagReader& tags, platform::filesystem::FileSystem& files, Catalogue& catalogue, RunView& view)
    : ImportRun(tags, files, catalogue, view, noRecoveryJournal()) {}

RunResult ImportRun::run(const RunInputs& inputs) {
  inputs_ = inputs;
  result_ = {};
  summary_.clear();
  stoppedAfter_.clear();
  view_.clearLog();
  if (!openCatalogue()) return result_;
  if (!openJournal()) {
    closeCatalogue();
    return result_;
  }

  RunPlanner planner(tags_, files_, inputs_, {.checkTargetsOnDisk = false});
  planner.excludeCatalogue(inputs_.cataloguePath);
  if (const Status listed = planner.listFolders(); listed) {
    result_.started = true;
    visitAll(planner);
  } else {
    logAndSummarise(texts::stoppedBeforeStart(listed.reason()));
  }
  if (stopped()) logAndSummarise(texts::stoppedForWriter(stoppedAfter_, inputs_.cataloguePath));
  closeCatalogue();
  journal_.close();
  view_.showSummary(summary_);
  return result_;
}

bool ImportRun::openCatalogue() {
  const std::string& catalogue = inputs_.cataloguePath;
  const Status opened =
      catalogue.empty() || catalogue.back() == '/'
          ? Status::failure("open the catalogue \"" + catalogue + "\"", "no catalogue file is selected")
          : catalogue_.open(catalogue);
  if (!opened) {
    stopBeforeStart(opened.reason());
    return false;
  }
  modeToPutBack_ = catalogue_.journalModeFound();
  return true;
}

// Before any file is visited, so the files' own log lines follow a recovery note.
bool ImportRun::openJournal() {
  bool found = false;
  MoveInFlight left;
  Status step = journal_.open(inputs_.cataloguePath, found, left);
  bool hasRow = false;
  if (step && found) step = journal_.committed(left, hasRow);
  if (!step) {
    // Without the journal a killed run could leave a file without its row unnoticed.
    journal_.close();
    stopBeforeStart(step.reason());
    return false;
  }
  if (found && !hasRow) recoverMoveInFlight(left);
  if (found) step = journal_.clear();
  // A run killed before it put the mode back found the catalogue as it was.
  if (!journal_.journalModeLeft().empty()) modeToPutBack_ = journal_.journalModeLeft();
  if (step) step = journal_.noteJournalMode(modeToPutBack_);
  if (step) return true;
  journal_.close();
  stopBeforeStart(step.reason());
  return false;
}

// The catalogue is left in the journal mode it was found in. Leaving write-ahead
// logging needs the file to itself; while another program has it open, it stays.
void ImportRun::closeCatalogue() {
  if (const Status back = catalogue_.putBackJournalMode(modeToPutBack_); !back)
    view_.appendLog(texts::lineBreak() + texts::journalModeStays(back.reason()));
  catalogue_.close();
}

// The earlier run stopped after noting the move and before committing its row:
// the unit is rolled back, so the file goes back to its source.
void ImportRun::recoverMoveInFlight(const MoveInFlight& left) {
  const bool atTarget = files_.fileExists(left.target);
  const bool atSource = files_.fileExists(left.source);
  if (!atTarget) return;  // the move never happened: nothing to undo
  if (atSource) {
    // A copy between volumes stopped before its source was removed: the copy,
    // if it is whole, is the one to go, and the source is filed by this run.
    const Status removed = files_.removeIdenticalCopy(left.target, left.source);
    logAndSummarise(removed ? texts::wholeCopyRemoved(left.target, left.source)
                            : texts::bothLeft(left.target, left.source, removed.cause()));
    return;
  }
  const Status back = files_.moveFile(left.target, left.source);
  logAndSummarise(back ? texts::movedBack(left.target, left.source) : texts::notMovedBack(left.target, back.reason()));
}

void ImportRun::logAndSummarise(const std::u16string& message) {
  view_.appendLog(texts::lineBreak() + message);
  summary_ += texts::lineBreak() + message;
}

// The one place that ends a run on the person's request: between two files, so
// that the file in hand is filed or left as a whole unit. A request after the last
// file ends nothing.
void ImportRun::visitAll(RunPlanner& planner) {
  toVisit_ = planner.count();
  visited_ = 0;
  for (PlannedFile planned; !stopped();) {
    if (visited_ < toVisit_ && view_.stopRequested()) {
      result_.stopped = true;
      logAndSummarise(texts::stoppedOnRequest(visited_, toVisit_));
      return;
    }
    if (!planner.next(planned)) return;
    visit(planned, planner);
    view_.yield();
  }
}

void ImportRun::visit(const PlannedFile& planned, RunPlanner& planner) {
  ++visited_;
  if (planned.folderNotListed) {
    view_.appendLog(texts::folderNotListedInLog(planned.name, planned.leave->detail));
    summary_ += texts::folderNotListedInSummary(planned.sourcePath, planned.leave->detail);
    ++result_.left;
    view_.fileDone({planned, false, texts::reasonOf(*planned.leave), visited_, toVisit_});
    return;
  }
  view_.appendLog(texts::visitedInLog(planned.name));
  std::optional<Leave> left = planned.leave;
  if (!left) left = execute(planned);
  if (left) {
    if (!planned.leave) planner.release(planned.target);
    leave(planned, *left);
    return;
  }
  ++result_.filed;
  view_.fileDone({planned, true, {}, visited_, toVisit_});
}

std::optional<Leave> ImportRun::execute(const PlannedFile& file) {
  const std::string& source = file.sourcePath;
  if (const Status begun = catalogue_.begin(); !begun)
    return Leave{LeaveReason::NotFiled, stopIfCatalogueBusy(source, begun).reason(), {}};
  UnitOutcome outcome;
  Status filed = fileInsideTransaction(file, outcome);
  if (filed) filed = catalogue_.commit();
  if (filed) {
    journal_.clear();
    return std::nullopt;
  }

  catalogue_.rollback();
  stopIfCatalogueBusy(source, filed);
  // Without its row the file goes back where it was, so the catalogue and the
  // folders never disagree.
  if (outcome.moved) {
    if (const Status back = files_.moveFile(file.target, source); !back)
      // Reported in the summary; the journal names the move until the next one replaces it.
      return Leave{LeaveReason::NotFiled, texts::staysWithoutRow(filed.reason(), file.target, back.reason()), {}};
  }
  journal_.clear();
  if (outcome.targetTaken) return Leave{LeaveReason::TargetExists, file.target, {}};
  if (outcome.abandoned) return Leave{LeaveReason::StoppedDuringCopy, {}, {}};
  return Leave{LeaveReason::NotFiled, filed.reason(), {}};
}

// One unit: the row, the folders, the note, the move; committed by the caller.
Status ImportRun::fileInsideTransaction(const PlannedFile& file, UnitOutcome& outcome) {
  using platform::text::utf8FromUtf16;
  Status step =
      catalogue_.insert(utf8FromUtf16(file.title), utf8FromUtf16(file.artist), utf8FromUtf16(file.album), file.target);
  if (step) step = ensureFolder(file.artistFolder);
  if (step) step = ensureFolder(file.albumFolder);
  if (step) step = journal_.record({file.sourcePath, file.target});
  if (!step) return step;
  step = moveLettingStop(file, outcome);
  outcome.moved = step.ok();
  // A move never replaces a file, so an existing target is why it failed.
  outcome.targetTaken = !step && files_.fileExists(file.target);
  return step;
}

// A stop asked before the copy began leaves the unit to finish whole, as for a
// file on the same volume; one asked during the copy spares the person the wait.
Status ImportRun::moveLettingStop(const PlannedFile& file, UnitOutcome& outcome) {
  const bool askedBefore = view_.stopRequested();
  return files_.moveFileWithProgress(
      file.sourcePath, file.target, [this, askedBefore, &outcome](std::uint64_t, std::uint64_t) {
        view_.yield();
        outcome.abandoned = !askedBefore && view_.stopRequested();
        return !outcome.abandoned;
      });
}

Status ImportRun::ensureFolder(const std::string& path) {
  if (files_.folderExists(path)) return Status::success();
  return files_.createFolder(path);
}

void ImportRun::leave(const PlannedFile& file, const Leave& why) {
  view_.appendLog(texts::leftInLog(why));
  summary_ += texts::leftInSummary(file.sourcePath, why);
  ++result_.left;
  view_.fileDone({file, false, texts::reasonOf(why), visited_, toVisit_});
}

Status ImportRun::stopIfCatalogueBusy(const std::string& source, const Status& failure) {
  if (failure.busy()) stoppedAfter_ = source;
  return failure;
}

void ImportRun::stopBeforeStart(const std::string& reason) {
  const std::u16string message = texts::stoppedBeforeStart(reason);
  view_.appendLog(texts::lineBreak() + message);
  view_.showSummary(texts::lineBreak() + message);
}

}  // namespace mervalis
