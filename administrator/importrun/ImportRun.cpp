#include "ImportRun.h"

#include <catalogue/CatalogueFiles.h>
#include <text/Utf.h>

#include <algorithm>

#include "SafeName.h"

namespace mervalis {

using platform::filesystem::Listing;

namespace {

constexpr std::u16string_view kLineBreak = u"\r\n";

struct Rejection {
  TagField field;
  std::u16string_view logText;
  std::u16string_view summaryText;
};
// Tested in this order; the first empty field decides.
constexpr Rejection kRejections[] = {
    {TagField::Title, u" Error - No Title", u" - No Title"},
    {TagField::Album, u" Error - No Album", u" - No Album"},
    {TagField::Artist, u" Error - No Artist", u" - No Artist"},
};

// Folder path, one separator and a name: always joined this way, also after a
// path that already ends in a separator, so the catalogue row shows exactly what
// the window showed.
std::string join(const std::string& folder, const std::string& name) { return folder + "/" + name; }

std::u16string toText(const std::string& bytes) { return platform::text::utf16FromUtf8(bytes); }

std::u16string& fieldOf(TagField field, std::u16string& title, std::u16string& album, std::u16string& artist) {
  switch (field) {
    case TagField::Title: return title;
    case TagField::Album: return album;
    case TagField::Artist: break;
  }
  return artist;
}

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

// Only ordinary files hold music; a link is never followed, so it never moves
// what it points to, nor itself.
std::u16string_view refusalOfKind(platform::filesystem::EntryKind kind) {
  switch (kind) {
    case platform::filesystem::EntryKind::File: return {};
    case platform::filesystem::EntryKind::SymbolicLink: return u"Not filed: it is a symbolic link";
    case platform::filesystem::EntryKind::Folder:
    case platform::filesystem::EntryKind::Other: break;
  }
  return u"Not filed: it is not an ordinary file";
}

std::u16string quotedText(const std::string& path) { return u"\"" + toText(path) + u"\""; }

std::u16string stoppedForWriterText(const std::string& lastFile, const std::string& catalogue) {
  return u"Stopped after " + quotedText(lastFile) + u": another program is writing to the catalogue " +
         quotedText(catalogue) + u". The files after it were left where they are; run again when it has finished.";
}

}  // namespace

ImportRun::ImportRun(TagReader& tags, platform::filesystem::FileSystem& files, Catalogue& catalogue, RunView& view)
    : ImportRun(tags, files, catalogue, view, noRecoveryJournal()) {}

void ImportRun::run(const RunInputs& inputs) {
  inputs_ = inputs;
  summary_.clear();
  stoppedAfter_.clear();
  view_.clearLog();

  const std::string& catalogue = inputs_.cataloguePath;
  const Status opened = catalogue.empty() || catalogue.back() == '/'
                            ? Status::failure("open the catalogue \"" + catalogue + "\"", "no catalogue file is selected")
                            : catalogue_.open(catalogue);
  if (!opened) {
    stopBeforeStart(toText(opened.reason()) + u". No file was touched.");
    return;
  }
  modeToPutBack_ = catalogue_.journalModeFound();
  if (!openJournal()) {
    closeCatalogue();
    return;
  }

  noteCatalogueFiles();
  Listing files, subfolders;
  if (listSourceFolder(files, subfolders)) {
    const auto subfolderFiles = listSubfolders(subfolders);
    processFolderFiles(inputs_.sourceFolder, files);
    for (std::size_t i = 0; i < subfolders.entries.size() && !stopped(); ++i)
      processSubfolder(subfolders.entries[i].name, subfolderFiles[i]);
  }
  if (stopped()) logAndSummarise(stoppedForWriterText(stoppedAfter_, catalogue));
  closeCatalogue();
  journal_.close();
  view_.showSummary(summary_);
}

// The catalogue is left in the journal mode it was found in. Leaving write-ahead
// logging needs the file to itself; while another program has it open, it stays.
void ImportRun::closeCatalogue() {
  if (const Status back = catalogue_.putBackJournalMode(modeToPutBack_); !back)
    view_.appendLog(std::u16string(kLineBreak) + toText(back.reason()) + u".");
  catalogue_.close();
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
    stopBeforeStart(toText(step.reason()) + u". No file was touched.");
    return false;
  }
  if (found && !hasRow) recoverMoveInFlight(left);
  if (found) step = journal_.clear();
  // A run killed before it put the mode back found the catalogue as it was.
  if (!journal_.journalModeLeft().empty()) modeToPutBack_ = journal_.journalModeLeft();
  if (step) step = journal_.noteJournalMode(modeToPutBack_);
  if (step) return true;
  journal_.close();
  stopBeforeStart(toText(step.reason()) + u". No file was touched.");
  return false;
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
    if (removed) {
      logAndSummarise(u"Recovered: " + quotedText(left.target) + u", a whole copy of " + quotedText(left.source) +
                   u", was removed; an earlier run stopped before writing its catalogue row.");
      return;
    }
    logAndSummarise(u"Not recovered: " + quotedText(left.target) + u" has no catalogue row and " +
                 quotedText(left.source) + u" is there too (" + toText(removed.cause()) +
                 u"); both are left as they are.");
    return;
  }
  if (const Status back = files_.moveFile(left.target, left.source); !back) {
    logAndSummarise(u"Not recovered: " + quotedText(left.target) + u" has no catalogue row and stays there (" +
                 toText(back.reason()) + u").");
    return;
  }
  logAndSummarise(u"Recovered: " + quotedText(left.target) + u" was moved back to " + quotedText(left.source) +
               u"; an earlier run stopped before writing its catalogue row.");
}

void ImportRun::logAndSummarise(const std::u16string& message) {
  view_.appendLog(std::u16string(kLineBreak) + message);
  summary_ += std::u16string(kLineBreak) + message;
}

// Taken once the catalogue is open, so that its side files exist already. Side files
// that do not exist are not noted: nothing of that name is there to visit.
void ImportRun::noteCatalogueFiles() {
  catalogueFiles_.clear();
  for (const auto& path : catalogueFilesOf(inputs_.cataloguePath))
    if (const auto found = files_.identify(path); found.status) catalogueFiles_.push_back(found.value);
}

// Both lists are taken before any file is filed, so folders that the run itself
// creates below a source folder are never visited.
bool ImportRun::listSourceFolder(Listing& files, Listing& subfolders) {
  files = files_.listFiles(inputs_.sourceFolder);
  if (files.status) subfolders = files_.listSubfolders(inputs_.sourceFolder);
  const Status& listed = files.status ? subfolders.status : files.status;
  if (listed) return true;
  logAndSummarise(toText(listed.reason()) + u". No file was touched.");
  return false;
}

// Every folder is listed before the first file is filed: a file that the run
// files into a folder it visits later (the destination root above the source) is
// not met again there.
std::vector<Listing> ImportRun::listSubfolders(const Listing& subfolders) {
  std::vector<Listing> lists;
  lists.reserve(subfolders.entries.size());
  for (const auto& folder : subfolders.entries) lists.push_back(files_.listFiles(join(inputs_.sourceFolder, folder.name)));
  return lists;
}

void ImportRun::processFolderFiles(const std::string& folder, const Listing& listed) {
  for (const auto& entry : listed.entries) {
    if (stopped()) return;
    processFile(entry, join(folder, entry.name));
  }
}

void ImportRun::processSubfolder(const std::string& name, const Listing& listed) {
  const std::string folder = join(inputs_.sourceFolder, name);
  if (!listed.status) {
    view_.appendLog(std::u16string(kLineBreak) + toText(name) + u" Error - " + toText(listed.status.reason()));
    reportFailure(toText(folder), toText(listed.status.reason()));
    return;
  }
  processFolderFiles(folder, listed);
}

void ImportRun::processFile(const platform::filesystem::Entry& entry, const std::string& path) {
  view_.appendLog(std::u16string(kLineBreak) + toText(entry.name));
  const std::u16string sourcePath = toText(path);
  if (const std::u16string_view refusal = refusalOfKind(entry.kind); !refusal.empty())
    return leave(sourcePath, std::u16string(refusal));
  if (const std::u16string refusal = refusalOfCatalogueFile(path); !refusal.empty()) return leave(sourcePath, refusal);
  AcceptedTag tag;
  if (const std::u16string rejection = judge(path, tag); !rejection.empty()) {
    // judge() has already written the file's log text.
    summary_ += std::u16string(kLineBreak) + sourcePath + rejection;
    return;
  }
  if (const std::u16string reason = file(path, tag); !reason.empty()) leave(sourcePath, reason);
}

// By identity, not by name: the catalogue may be reached by another path or a
// hard link. Its last bytes can read as a tag, and filing it would move the open
// catalogue into the tree.
std::u16string ImportRun::refusalOfCatalogueFile(const std::string& path) {
  const auto found = files_.identify(path);
  if (!found.status) return u"Not filed: it cannot be looked at (" + toText(found.status.cause()) + u")";
  if (std::find(catalogueFiles_.begin(), catalogueFiles_.end(), found.value) == catalogueFiles_.end()) return {};
  return u"Not filed: it belongs to the catalogue this run files into";
}

std::u16string ImportRun::judge(const std::string& path, AcceptedTag& tag) {
  // A file the reader did not take has no fields of its own: it must never be
  // judged by the previous file's tag.
  const bool loaded = tags_.load(toText(path)).ok();
  for (const auto& rejection : kRejections) {
    std::u16string& value = fieldOf(rejection.field, tag.title, tag.album, tag.artist);
    const Status read = loaded ? tags_.read(rejection.field, value) : Status::success();
    if (!read) {
      const std::u16string reason = toText(read.reason());
      view_.appendLog(u" Error - " + reason);
      return u" - " + reason;
    }
    if (!loaded || value.empty()) {
      // The reader shows a file it cannot open as one without a tag.
      if (const Status readable = rejection.field == TagField::Title ? files_.checkReadable(path) : Status::success();
          !readable) {
        const std::u16string reason = u"Not filed: it cannot be read (" + toText(readable.cause()) + u")";
        view_.appendLog(u" Error - " + reason);
        return u" - " + reason;
      }
      view_.appendLog(rejection.logText);
      return std::u16string(rejection.summaryText);
    }
  }
  return {};
}

std::u16string ImportRun::file(const std::string& source, const AcceptedTag& tag) {
  Destination destination;
  destination.artistFolder = join(inputs_.destinationRoot, safeNameComponent(tag.artist));
  destination.albumFolder = join(destination.artistFolder, safeNameComponent(tag.album));
  destination.target = join(destination.albumFolder, safeNameComponent(tag.title) + ".mp3");
  const std::string& target = destination.target;

  if (const Status begun = catalogue_.begin(); !begun) return toText(stopIfCatalogueBusy(source, begun).reason());
  UnitOutcome outcome;
  Status filed = fileInsideTransaction(source, destination, tag, outcome);
  if (filed) filed = catalogue_.commit();
  if (filed) {
    journal_.clear();
    return {};
  }

  catalogue_.rollback();
  stopIfCatalogueBusy(source, filed);
  // Without its row the file goes back where it was, so the catalogue and the
  // folders never disagree.
  if (outcome.moved) {
    if (const Status back = files_.moveFile(target, source); !back)
      // Reported in the summary; the journal names the move until the next one replaces it.
      return toText(filed.reason() + "; the file stays at \"" + target + "\" without a catalogue row (" +
                    back.reason() + ")");
  }
  journal_.clear();
  if (outcome.targetTaken) return u"Not moved: " + quotedText(target) + u" already exists";
  return toText(filed.reason());
}

Status ImportRun::fileInsideTransaction(const std::string& source, const Destination& destination,
                                        const AcceptedTag& tag, UnitOutcome& outcome) {
  using platform::text::utf8FromUtf16;
  Status step = catalogue_.insert(utf8FromUtf16(tag.title), utf8FromUtf16(tag.artist), utf8FromUtf16(tag.album),
                                  destination.target);
  if (step) step = ensureFolder(destination.artistFolder);
  if (step) step = ensureFolder(destination.albumFolder);
  if (step) step = journal_.record({source, destination.target});
  if (!step) return step;
  step = files_.moveFile(source, destination.target);
  outcome.moved = step.ok();
  // A move never replaces a file, so an existing target is why it failed.
  outcome.targetTaken = !step && files_.fileExists(destination.target);
  return step;
}

Status ImportRun::ensureFolder(const std::string& path) {
  if (files_.folderExists(path)) return Status::success();
  return files_.createFolder(path);
}

void ImportRun::leave(const std::u16string& sourcePath, const std::u16string& reason) {
  view_.appendLog(u" Error - " + reason);
  reportFailure(sourcePath, reason);
}

void ImportRun::reportFailure(const std::u16string& sourcePath, const std::u16string& reason) {
  summary_ += std::u16string(kLineBreak) + sourcePath + u" - " + reason;
}

Status ImportRun::stopIfCatalogueBusy(const std::string& source, const Status& failure) {
  if (failure.busy()) stoppedAfter_ = source;
  return failure;
}

void ImportRun::stopBeforeStart(const std::u16string& message) {
  view_.appendLog(std::u16string(kLineBreak) + message);
  view_.showSummary(std::u16string(kLineBreak) + message);
}

}  // namespace mervalis
