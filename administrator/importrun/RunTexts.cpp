#include <administrator/importrun/RunTexts.h>

#include <platform/text/Utf.h>

#include <cstdio>

namespace administrator::importrun::texts {
namespace {

std::u16string text(const std::string& bytes) { return platform::text::utf16FromUtf8(bytes); }

std::u16string count(std::size_t n, std::u16string_view one, std::u16string_view many) {
  return text(std::to_string(n)) + u" " + std::u16string(n == 1 ? one : many);
}

}  // namespace

std::u16string lineBreak() { return u"\r\n"; }

std::u16string quoted(const std::string& path) { return u"\"" + text(path) + u"\""; }

std::u16string reasonOf(const Leave& leave) {
  switch (leave.reason) {
    case LeaveReason::NoTitle: return u"No Title";
    case LeaveReason::NoAlbum: return u"No Album";
    case LeaveReason::NoArtist: return u"No Artist";
    case LeaveReason::TagNotRead:
    case LeaveReason::NotFiled: return text(leave.detail);
    case LeaveReason::CannotRead: return u"Not filed: it cannot be read (" + text(leave.detail) + u")";
    case LeaveReason::CannotLookAt: return u"Not filed: it cannot be looked at (" + text(leave.detail) + u")";
    case LeaveReason::SymbolicLink: return u"Not filed: it is a symbolic link";
    case LeaveReason::NotOrdinaryFile: return u"Not filed: it is not an ordinary file";
    case LeaveReason::CatalogueFile: return u"Not filed: it belongs to the catalogue this run files into";
    case LeaveReason::NameTooLong: return u"Not filed: the path " + quoted(leave.detail) + u" would be too long";
    case LeaveReason::TargetExists: return u"Not moved: " + quoted(leave.detail) + u" already exists";
    case LeaveReason::TargetTaken:
      return u"Not moved: " + quoted(leave.detail) + u" is taken by " + quoted(leave.other);
    case LeaveReason::StoppedDuringCopy: return u"Not moved: the run was stopped while it was being copied";
  }
  return text(leave.detail);
}

std::u16string visitedInLog(const std::string& name) { return lineBreak() + text(name); }

std::u16string leftInLog(const Leave& leave) { return u" Error - " + reasonOf(leave); }

std::u16string leftInSummary(const std::string& sourcePath, const Leave& leave) {
  return lineBreak() + text(sourcePath) + u" - " + reasonOf(leave);
}

std::u16string folderNotListedInLog(const std::string& name, const std::string& reason) {
  return lineBreak() + text(name) + u" Error - " + text(reason);
}

std::u16string folderNotListedInSummary(const std::string& folderPath, const std::string& reason) {
  return lineBreak() + text(folderPath) + u" - " + text(reason);
}

std::u16string stoppedBeforeStart(const std::string& reason) { return text(reason) + u". No file was touched."; }

std::u16string stoppedForWriter(const std::string& lastFile, const std::string& catalogue) {
  return u"Stopped after " + quoted(lastFile) + u": another program is writing to the catalogue " + quoted(catalogue) +
         u". The files after it were left where they are; run again when it has finished.";
}

std::u16string journalModeStays(const std::string& reason) { return text(reason) + u"."; }

std::u16string stoppedForRecord(const std::string& lastFile, const std::string& reason) {
  return u"Stopped after " + quoted(lastFile) + u": " + text(reason) +
         u". No file is moved without its entry in the run's record, so the files after it were left where they are.";
}

std::u16string recordNotFinished(const std::string& reason) {
  return text(reason) + u". The next run into this catalogue will finish the record.";
}

std::u16string stoppedOnRequest(std::size_t visited, std::size_t total) {
  const std::size_t remaining = total - visited;
  return u"Stopped after " + text(std::to_string(visited)) + u" of " + count(total, u"file", u"files") + u". " +
         (remaining == 1 ? u"The remaining file was not visited and stays where it is."
                         : u"The remaining " + count(remaining, u"file", u"files") +
                               u" were not visited and stay where they are.");
}

std::u16string progress(std::size_t done, std::size_t total, double perSecond) {
  char line[96];
  std::snprintf(line, sizeof line, "%zu of %zu files, %.0f a second", done, total, perSecond);
  return text(line);
}

std::u16string titleWithProgress(const std::u16string& title, const std::u16string& progress) {
  return title + u" - " + progress;
}

std::u16string stopCaption() { return u"Stop"; }

std::u16string movedBack(const std::string& target, const std::string& source) {
  return u"Recovered: " + quoted(target) + u" was moved back to " + quoted(source) +
         u"; an earlier run stopped before writing its catalogue row.";
}

std::u16string wholeCopyRemoved(const std::string& copy, const std::string& source) {
  return u"Recovered: " + quoted(copy) + u", a whole copy of " + quoted(source) +
         u", was removed; an earlier run stopped before writing its catalogue row.";
}

std::u16string bothLeft(const std::string& target, const std::string& source, const std::string& cause) {
  return u"Not recovered: " + quoted(target) + u" has no catalogue row and " + quoted(source) + u" is there too (" +
         text(cause) + u"); both are left as they are.";
}

std::u16string notMovedBack(const std::string& target, const std::string& reason) {
  return u"Not recovered: " + quoted(target) + u" has no catalogue row and stays there (" + text(reason) + u").";
}

std::string staysWithoutRow(const std::string& reason, const std::string& target, const std::string& backReason) {
  return reason + "; the file stays at \"" + target + "\" without a catalogue row (" + backReason + ")";
}

std::u16string plannedCounts(std::size_t filed, std::size_t left) {
  return count(filed, u"file will be filed", u"files will be filed") + u", " +
         count(left, u"left where it is", u"left where they are");
}

std::u16string doneCounts(std::size_t filed, std::size_t left) {
  return count(filed, u"file filed", u"files filed") + u", " + count(left, u"left where it is", u"left where they are");
}

// The run joins every path as folder + "/" + name, so the part below the root is
// what follows the root and its separator.
std::u16string plannedOutcome(const PlannedFile& file, const std::string& destinationRoot) {
  if (!file.filed()) return file.leave ? reasonOf(*file.leave) : std::u16string();
  const std::string prefix = destinationRoot + "/";
  const bool below = file.target.compare(0, prefix.size(), prefix) == 0;
  return u"Filed to " + quoted(below ? file.target.substr(prefix.size()) : file.target);
}

std::u16string plannedInSummary(const PlannedFile& file) {
  if (file.folderNotListed) return folderNotListedInSummary(file.sourcePath, file.leave ? file.leave->detail : "");
  return file.leave ? leftInSummary(file.sourcePath, *file.leave) : std::u16string();
}

std::u16string catalogueRefused(const std::string& reason) {
  return text(reason) + u". A run would stop before its first file.";
}

std::u16string undoStarted(const std::string& runId, const std::string& source, const std::string& destination) {
  return u"Undoing run " + text(runId) + u": files go back from " + quoted(destination) + u" to " + quoted(source) +
         u".";
}

std::u16string undoneFile(const std::string& target, const std::string& source) {
  return u"Undone: " + quoted(target) + u" is back at " + quoted(source) + u".";
}

std::u16string keptFile(const std::string& target, const std::string& reason) {
  return u"Left as it is: " + quoted(target) + u": " + text(reason) + u".";
}

std::u16string undoCounts(std::size_t undone, std::size_t kept) {
  return count(undone, u"file moved back", u"files moved back") + u", " +
         count(kept, u"left as it is", u"left as they are");
}

std::u16string undoNotStarted(const std::string& reason) {
  return u"The run was not undone: " + text(reason) + u". Nothing was changed.";
}

std::u16string nothingToUndo() { return u"There is no run to undo."; }

std::string undoReasonGone() { return "it is no longer where the run filed it"; }

std::string undoReasonChanged() { return "it was changed or replaced since the run filed it"; }

std::string undoReasonSourceTaken(const std::string& source) { return "another file now stands at \"" + source + "\""; }

std::string undoReasonRowChanged() { return "its row in the catalogue was changed or removed"; }

std::string undoReasonNotRecorded() {
  return "the run's record could not note how it was filed, so it is not known to be the run's";
}

std::string undoReasonOtherCatalogue(const std::string& catalogue) {
  return "\"" + catalogue + "\" is no longer the catalogue the run filed into";
}

}  // namespace administrator::importrun::texts
