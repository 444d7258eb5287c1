#pragma once
// Every text the import run writes, in one place, so that the window, the preview
// and the command line say the same thing in the same words. Log pieces start
// with their own line break, as the log grows piece by piece.
#include <cstddef>
#include <string>

#include <administrator/importrun/LeaveReason.h>
#include <administrator/importrun/PlannedFile.h>

namespace administrator::importrun::texts {

// "\r\n": the run's line break, in the log and the summary alike.
std::u16string lineBreak();
// A path or name as the texts show it, in double quotes.
std::u16string quoted(const std::string& path);

// The reason alone, as the preview shows it: "No Title", "Not filed: it is a
// symbolic link", ...
std::u16string reasonOf(const Leave& leave);
// The log's piece after a visited file's name, and the summary's line.
std::u16string visitedInLog(const std::string& name);
std::u16string leftInLog(const Leave& leave);
std::u16string leftInSummary(const std::string& sourcePath, const Leave& leave);
// A folder below the source that cannot be listed: its line in log and summary.
std::u16string folderNotListedInLog(const std::string& name, const std::string& reason);
std::u16string folderNotListedInSummary(const std::string& folderPath, const std::string& reason);

// A message that ends the run before any file: log and summary alike.
std::u16string stoppedBeforeStart(const std::string& reason);
std::u16string stoppedForWriter(const std::string& lastFile, const std::string& catalogue);
std::u16string journalModeStays(const std::string& reason);
// The run's record could not be written: the run ends after the file in hand.
std::u16string stoppedForRecord(const std::string& lastFile, const std::string& reason);
std::u16string recordNotFinished(const std::string& reason);
// The line that ends a run the person stopped: log and summary alike.
std::u16string stoppedOnRequest(std::size_t visited, std::size_t total);

// How far a run has got, as the command line and the window's title show it.
std::u16string progress(std::size_t done, std::size_t total, double perSecond);
std::u16string titleWithProgress(const std::u16string& title, const std::u16string& progress);
// The caption of the window's Process button while a run goes on.
std::u16string stopCaption();

// What the next run did with a move that a killed run left in flight.
std::u16string movedBack(const std::string& target, const std::string& source);
std::u16string wholeCopyRemoved(const std::string& copy, const std::string& source);
std::u16string bothLeft(const std::string& target, const std::string& source, const std::string& cause);
std::u16string notMovedBack(const std::string& target, const std::string& reason);
// A failed move back after a failed commit, added to the failure's reason.
std::string staysWithoutRow(const std::string& reason, const std::string& target, const std::string& backReason);

// The preview's count line, and the one that ends a run on the command line.
std::u16string plannedCounts(std::size_t filed, std::size_t left);
std::u16string doneCounts(std::size_t filed, std::size_t left);
// What a plan will do with one thing: "Filed to "<Artist>/<Album>/<Title>.mp3""
// (relative to the destination root), or why it stays.
std::u16string plannedOutcome(const PlannedFile& file, const std::string& destinationRoot);
// What a run's summary will hold for a planned file: empty for one it files.
std::u16string plannedInSummary(const PlannedFile& file);
// A catalogue a run would refuse before its first file.
std::u16string catalogueRefused(const std::string& reason);

// Undo of a run: the log's line per file, what stops an undo before it starts,
// and the counts that end it.
std::u16string undoStarted(const std::string& runId, const std::string& source, const std::string& destination);
std::u16string undoneFile(const std::string& target, const std::string& source);
std::u16string keptFile(const std::string& target, const std::string& reason);
std::u16string undoCounts(std::size_t undone, std::size_t kept);
std::u16string undoNotStarted(const std::string& reason);
std::u16string nothingToUndo();
// Why undo leaves a file as it is.
std::string undoReasonGone();
std::string undoReasonChanged();
std::string undoReasonSourceTaken(const std::string& source);
std::string undoReasonRowChanged();
std::string undoReasonNotRecorded();
std::string undoReasonOtherCatalogue(const std::string& catalogue);

}  // namespace administrator::importrun::texts
