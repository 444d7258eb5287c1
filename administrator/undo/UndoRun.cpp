#include <administrator/undo/UndoRun.h>

#include <algorithm>

#include <administrator/importrun/KilledRuns.h>
#include <administrator/runrecord/RecordedRunReading.h>
#include <administrator/importrun/RunTexts.h>

namespace administrator::undo {

using platform::status::Status;
namespace {

using platform::filesystem::FileIdentity;
using State = runrecord::RecordedUndo::State;

// A move back between volumes gives the file a new inode; its size and time stay.
bool sameContentVersion(const FileIdentity& a, const FileIdentity& b) {
  return a.size == b.size && a.modifiedNs == b.modifiedNs;
}

}  // namespace

UndoResult UndoRun::undo(const std::string& runId) {
  result_ = {};
  summary_.clear();
  view_.clearLog();
  if (!chooseRun(runId)) return result_;
  runrecord::FileRunRecord lock(folder_);
  if (!takeCatalogue(lock)) {
    lock.close();
    return result_;
  }
  if (readRun(lock.catalogueLock())) {
    result_.started = true;
    line(importrun::texts::undoStarted(run_.id, run_.inputs.sourceFolder, run_.inputs.destinationRoot));
    runrecord::UndoRecord record(folder_, run_.id);
    if (const Status begun = record.begin(modeToPutBack_); begun) {
      undoFiles(record);
      removeEmptyFolders();
      if (const Status ended = record.end(result_.undone, result_.kept); !ended)
        line(importrun::texts::recordNotFinished(ended.reason()));
      line(importrun::texts::undoCounts(result_.undone, result_.kept));
    } else {
      line(importrun::texts::undoNotStarted(begun.reason()));
      result_.started = false;
    }
  }
  closeCatalogue();
  lock.close();
  view_.showSummary(summary_);
  return result_;
}

bool UndoRun::chooseRun(const std::string& requested) {
  if (!requested.empty()) {
    runrecord::RecordedRun overview;
    if (const Status read = runrecord::readRunOverview(folder_, requested, overview); !read) {
      refuse(read.reason());
      return false;
    }
    run_ = overview;
    return true;
  }
  const std::vector<std::string> ids = folder_.runIds();
  for (auto id = ids.rbegin(); id != ids.rend(); ++id) {
    runrecord::RecordedUndo undo;
    runrecord::RecordedRun overview;
    if (!runrecord::readRecordedUndo(folder_, *id, undo) || (undo.begun && undo.ended)) continue;
    if (!runrecord::readRunOverview(folder_, *id, overview)) continue;
    run_ = overview;
    return true;
  }
  line(importrun::texts::nothingToUndo());
  view_.showSummary(summary_);
  return false;
}

// As a run does: the lock first, then the catalogue, then what killed runs left.
bool UndoRun::takeCatalogue(runrecord::FileRunRecord& lock) {
  std::vector<importrun::KilledRun> killed;
  const std::string& path = run_.inputs.cataloguePath;
  if (const Status locked = lock.open(path, killed); !locked) {
    refuse(locked.reason());
    return false;
  }
  if (const Status opened = catalogue_.open(path); !opened) {
    refuse(opened.reason());
    return false;
  }
  modeToPutBack_ = catalogue_.journalModeFound();
  std::vector<std::u16string> notes;
  const Status settled = importrun::settleKilledRuns(killed, catalogue_, files_, lock, notes);
  for (const std::u16string& note : notes) line(note);
  if (!killed.empty() && !killed.front().journalModeFound.empty()) modeToPutBack_ = killed.front().journalModeFound;
  if (!settled) {
    refuse(settled.reason());
    return false;
  }
  return true;
}

// The whole record, read after killed runs were settled, with what earlier undos did.
bool UndoRun::readRun(const runrecord::CatalogueLock& catalogue) {
  const std::string id = run_.id;
  Status read = runrecord::readRecordedRun(folder_, id, run_);
  if (read) read = runrecord::readRecordedUndo(folder_, id, undone_);
  if (!read) {
    refuse(read.reason());
    return false;
  }
  // Rows are told by their rowid, which means nothing in another file.
  if (catalogue.device() != run_.catalogueDevice || catalogue.inode() != run_.catalogueInode) {
    refuse(importrun::texts::undoReasonOtherCatalogue(run_.inputs.cataloguePath));
    return false;
  }
  if (!undone_.journalMode.empty()) modeToPutBack_ = undone_.journalMode;
  return true;
}

void UndoRun::undoFiles(runrecord::UndoRecord& record) {
  for (auto file = run_.files.rbegin(); file != run_.files.rend(); ++file) {
    if (file->state == runrecord::RecordedFile::State::NotFiled) continue;
    const State state = undone_.stateOf(file->entry.number);
    if (state == State::Undone) continue;
    // Its row was committed, but the record could not say so: what the run left
    // there is not known.
    if (file->state == runrecord::RecordedFile::State::InFlight)
      keep(*file, importrun::texts::undoReasonNotRecorded(), record);
    else
      undoFile(*file, state, record);
  }
}

// The row goes first, then the file: a kill in between leaves a file without a
// row, as a killed run does, and never a row that names no file.
void UndoRun::undoFile(const runrecord::RecordedFile& file, State state, runrecord::UndoRecord& record) {
  const std::string &target = file.entry.target(), &source = file.entry.source;
  const auto atTarget = files_.identify(target);
  if (!atTarget.status || !sameVersion(atTarget.value, file.asFiled)) {
    // An undo killed after moving the file back left it at its source.
    if (state == State::Undoing && !atTarget.status && isBackAtSource(file)) return undone(file, record);
    return keep(file, atTarget.status ? importrun::texts::undoReasonChanged() : importrun::texts::undoReasonGone(),
                record);
  }
  if (files_.identify(source).status) {
    // An undo killed during a copy between volumes left a whole copy at the source.
    const bool copyGone = state == State::Undoing && files_.removeIdenticalCopy(source, target).ok();
    if (!copyGone) return keep(file, importrun::texts::undoReasonSourceTaken(source), record);
  }
  bool hasRow = false;
  if (const Status looked = catalogue_.holdsRow(file.entry.row, hasRow); !looked)
    return keep(file, looked.reason(), record);
  // Without its row only after an undo killed between the row and the move.
  if (!hasRow && state != State::Undoing) return keep(file, importrun::texts::undoReasonRowChanged(), record);
  if (Status noted = record.undoing(file.entry.number); !noted) return keep(file, noted.reason(), record);
  if (hasRow)
    if (const Status removed = removeRow(file.entry.row); !removed) return keep(file, removed.reason(), record);
  if (const Status moved = files_.moveFile(target, source); !moved) {
    if (hasRow) (void)putRowBack(file.entry.row);
    return keep(file, moved.reason(), record);
  }
  undone(file, record);
}

bool UndoRun::isBackAtSource(const runrecord::RecordedFile& file) {
  const auto atSource = files_.identify(file.entry.source);
  if (!atSource.status || !sameContentVersion(atSource.value, file.asFiled)) return false;
  bool hasRow = false;
  return catalogue_.holdsRow(file.entry.row, hasRow) && (!hasRow || removeRow(file.entry.row));
}

Status UndoRun::removeRow(const catalogue::CatalogueRow& row) {
  Status step = catalogue_.begin();
  bool deleted = false;
  if (step) step = catalogue_.deleteRow(row, deleted);
  if (step && !deleted)
    step = Status::failure("remove the row of \"" + row.fileName + "\"", importrun::texts::undoReasonRowChanged());
  if (step) step = catalogue_.commit();
  if (!step) (void)catalogue_.rollback();  // `step` is the failure to tell
  return step;
}

Status UndoRun::putRowBack(const catalogue::CatalogueRow& row) {
  Status step = catalogue_.begin();
  if (step) step = catalogue_.restoreRow(row);
  if (step) step = catalogue_.commit();
  if (!step) (void)catalogue_.rollback();  // `step` is the failure to tell
  return step;
}

void UndoRun::undone(const runrecord::RecordedFile& file, runrecord::UndoRecord& record) {
  (void)record.undone(file.entry.number);  // the next undo finds the file at its source either way
  ++result_.undone;
  line(importrun::texts::undoneFile(file.entry.target(), file.entry.source));
}

void UndoRun::keep(const runrecord::RecordedFile& file, const std::string& reason, runrecord::UndoRecord& record) {
  (void)record.kept(file.entry.number, reason);
  ++result_.kept;
  line(importrun::texts::keptFile(file.entry.target(), reason));
}

// Newest first, so an album folder goes before its artist's; a folder that holds
// anything stays.
void UndoRun::removeEmptyFolders() {
  for (auto folder = run_.folders.rbegin(); folder != run_.folders.rend(); ++folder)
    (void)files_.removeEmptyFolder(*folder);
}

void UndoRun::closeCatalogue() {
  if (const Status back = catalogue_.putBackJournalMode(modeToPutBack_); !back)
    line(importrun::texts::journalModeStays(back.reason()));
  catalogue_.close();
}

void UndoRun::line(const std::u16string& text) {
  view_.appendLog((summary_.empty() ? u"" : importrun::texts::lineBreak()) + text);
  summary_ += (summary_.empty() ? u"" : importrun::texts::lineBreak()) + text;
}

void UndoRun::refuse(const std::string& reason) { line(importrun::texts::undoNotStarted(reason)); }

}  // namespace administrator::undo
