#include <administrator/importrun/ImportRun.h>

#include <platform/text/Utf.h>

#include <administrator/importrun/KilledRuns.h>
#include <administrator/importrun/RunTexts.h>

namespace administrator::importrun {

using platform::status::Status;
namespace {

// For runs without a record: notes nothing and finds nothing.
class NoRunRecord : public RunRecord {
 public:
  Status open(const std::string&, std::vector<KilledRun>& killed) override {
    killed.clear();
    return Status::success();
  }
  Status settleKilled(const KilledRun&, const std::optional<platform::filesystem::FileIdentity>&) override {
    return Status::success();
  }
  Status start(const RunInputs&, const std::string&) override { return Status::success(); }
  std::string runId() const override { return {}; }
  Status folderCreated(const std::string&) override { return Status::success(); }
  Status filing(const FilingEntry&) override { return Status::success(); }
  Status filed(std::size_t, const platform::filesystem::FileIdentity&) override { return Status::success(); }
  Status notFiled(std::size_t) override { return Status::success(); }
  Status finish(const RunEnding&) override { return Status::success(); }
  void close() override {}
};

RunRecord& noRunRecord() {
  static NoRunRecord none;
  return none;
}

}  // namespace

ImportRun::ImportRun(TagReader& tags, platform::filesystem::FileSystem& files, catalogue::Catalogue& catalogue,
                     RunView& view)
    : ImportRun(tags, files, catalogue, view, noRunRecord()) {}

// The record takes the catalogue first, and lets it go last: a second run is
// refused before it opens anything.
RunResult ImportRun::run(const RunInputs& inputs) {
  inputs_ = inputs;
  result_ = {};
  summary_.clear();
  stoppedAfter_.clear();
  stopReason_.clear();
  knownFolders_.clear();
  view_.clearLog();
  std::vector<KilledRun> killed;
  if (!catalogueSelected() || !openRecord(killed)) return result_;
  if (!openCatalogue()) {
    record_.close();
    return result_;
  }
  if (!settleKilledRuns(killed) || !startRecord()) {
    closeCatalogue();
    record_.close();
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
  if (stopped()) logAndSummarise(stopReason_);
  finishRecord();
  closeCatalogue();
  record_.close();
  result_.runId = record_.runId();
  view_.runRecorded(result_.runId, result_.filed);
  view_.showSummary(summary_);
  return result_;
}

bool ImportRun::catalogueSelected() {
  const std::string& catalogue = inputs_.cataloguePath;
  if (!catalogue.empty() && catalogue.back() != '/') return true;
  stopBeforeStart(
      Status::failure("open the catalogue \"" + catalogue + "\"", "no catalogue file is selected").reason());
  return false;
}

bool ImportRun::openRecord(std::vector<KilledRun>& killed) {
  const Status opened = record_.open(inputs_.cataloguePath, killed);
  if (opened) return true;
  record_.close();
  stopBeforeStart(opened.reason());
  return false;
}

bool ImportRun::openCatalogue() {
  const Status opened = catalogue_.open(inputs_.cataloguePath);
  if (!opened) {
    stopBeforeStart(opened.reason());
    return false;
  }
  modeToPutBack_ = catalogue_.journalModeFound();
  return true;
}

// Before any file is visited, so the files' own log lines follow a recovery note.
bool ImportRun::settleKilledRuns(const std::vector<KilledRun>& killed) {
  std::vector<std::u16string> notes;
  const Status settled = importrun::settleKilledRuns(killed, catalogue_, files_, record_, notes);
  for (const std::u16string& note : notes) logAndSummarise(note);
  if (!settled) {
    stopBeforeStart(settled.reason());
    return false;
  }
  // The oldest killed run found the catalogue as it was before any of them.
  if (!killed.empty() && !killed.front().journalModeFound.empty()) modeToPutBack_ = killed.front().journalModeFound;
  return true;
}

bool ImportRun::startRecord() {
  const Status started = record_.start(inputs_, modeToPutBack_);
  if (started) return true;
  stopBeforeStart(started.reason());
  return false;
}

void ImportRun::finishRecord() {
  if (const Status finished = record_.finish({result_.filed, result_.left, stopped() || result_.stopped}); !finished)
    logAndSummarise(texts::recordNotFinished(finished.reason()));
}

// The catalogue is left in the journal mode it was found in. Leaving write-ahead
// logging needs the file to itself; while another program has it open, it stays.
void ImportRun::closeCatalogue() {
  if (const Status back = catalogue_.putBackJournalMode(modeToPutBack_); !back)
    view_.appendLog(texts::lineBreak() + texts::journalModeStays(back.reason()));
  catalogue_.close();
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
    noteRecorded(source, record_.filed(visited_, outcome.asFiled));
    return std::nullopt;
  }

  // A rollback that fails leaves a change open, and the next file's begin says so;
  // `filed` itself is reported below.
  (void)catalogue_.rollback();
  (void)stopIfCatalogueBusy(source, filed);
  // Without its row the file goes back where it was, so the catalogue and the
  // folders never disagree.
  if (outcome.moved) {
    if (const Status back = files_.moveFile(file.target, source); !back)
      // Reported in the summary; the record keeps the file in flight, so the
      // next run moves it back.
      return Leave{LeaveReason::NotFiled, texts::staysWithoutRow(filed.reason(), file.target, back.reason()), {}};
  }
  if (outcome.recorded) noteRecorded(source, record_.notFiled(visited_));
  if (outcome.targetTaken) return Leave{LeaveReason::TargetExists, file.target, {}};
  if (outcome.abandoned) return Leave{LeaveReason::StoppedDuringCopy, {}, {}};
  return Leave{LeaveReason::NotFiled, filed.reason(), {}};
}

// One unit: the row, the folders, the entry, the move; committed by the caller.
Status ImportRun::fileInsideTransaction(const PlannedFile& file, UnitOutcome& outcome) {
  using platform::text::utf8FromUtf16;
  const catalogue::CatalogueRow row{0, utf8FromUtf16(file.title), utf8FromUtf16(file.artist), utf8FromUtf16(file.album),
                                    file.target};
  Status step = catalogue_.insert(row.track, row.artist, row.album, row.fileName);
  if (step) step = ensureFolder(file.artistFolder, file.sourcePath);
  if (step) step = ensureFolder(file.albumFolder, file.sourcePath);
  if (step) {
    FilingEntry entry{visited_, row, file.sourcePath};
    entry.row.rowid = catalogue_.insertedRowid();
    step = record_.filing(entry);
    noteRecorded(file.sourcePath, step);
    outcome.recorded = step.ok();
  }
  if (!step) return step;
  step = moveIntoItsFolder(file, outcome);
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
      file.sourcePath, file.target,
      [this, askedBefore, &outcome](std::uint64_t, std::uint64_t) {
        view_.yield();
        outcome.abandoned = !askedBefore && view_.stopRequested();
        return !outcome.abandoned;
      },
      &outcome.asFiled);  // what undo will find there if no one touches the file meanwhile
}

Status ImportRun::ensureFolder(const std::string& path, const std::string& source) {
  if (knownFolders_.count(path) != 0) return Status::success();
  // Made first and looked at only when that fails: into a new destination every
  // folder is new.
  Status made = files_.createFolder(path);
  if (made)
    noteRecorded(source, record_.folderCreated(path));
  else if (!files_.folderExists(path))
    return made;
  knownFolders_.insert(path);
  return Status::success();
}

// A folder found earlier in the run may have been removed since: then it is made
// again and the move tried once more.
Status ImportRun::moveIntoItsFolder(const PlannedFile& file, UnitOutcome& outcome) {
  Status moved = moveLettingStop(file, outcome);
  if (moved || outcome.abandoned || files_.folderExists(file.albumFolder)) return moved;
  knownFolders_.erase(file.artistFolder);
  knownFolders_.erase(file.albumFolder);
  Status folders = ensureFolder(file.artistFolder, file.sourcePath);
  if (folders) folders = ensureFolder(file.albumFolder, file.sourcePath);
  // A folder that cannot be made again is the cause to name, not the move.
  return folders ? moveLettingStop(file, outcome) : folders;
}

void ImportRun::noteRecorded(const std::string& source, const Status& written) {
  if (!written && !stopped()) stopAfter(source, texts::stoppedForRecord(source, written.reason()));
}

void ImportRun::stopAfter(const std::string& source, std::u16string why) {
  stoppedAfter_ = source;
  stopReason_ = std::move(why);
}

void ImportRun::leave(const PlannedFile& file, const Leave& why) {
  view_.appendLog(texts::leftInLog(why));
  summary_ += texts::leftInSummary(file.sourcePath, why);
  ++result_.left;
  view_.fileDone({file, false, texts::reasonOf(why), visited_, toVisit_});
}

Status ImportRun::stopIfCatalogueBusy(const std::string& source, const Status& failure) {
  if (failure.busy() && !stopped()) stopAfter(source, texts::stoppedForWriter(source, inputs_.cataloguePath));
  return failure;
}

void ImportRun::stopBeforeStart(const std::string& reason) {
  const std::u16string message = texts::stoppedBeforeStart(reason);
  view_.appendLog(texts::lineBreak() + message);
  view_.showSummary(texts::lineBreak() + message);
}

}  // namespace administrator::importrun
