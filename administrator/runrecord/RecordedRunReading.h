#pragma once
#include <string>

#include <platform/status/Status.h>

#include <administrator/runrecord/RecordedRun.h>
#include <administrator/runrecord/RunRecordFolder.h>

namespace administrator::runrecord {

// The words that start the lines of a run's record and of its undo record.
namespace recordword {
inline constexpr std::string_view kRunMagic = "mervalis-run", kUndoMagic = "mervalis-undo", kStarted = "started",
                                  kCatalogue = "catalogue", kSource = "source", kDestination = "destination",
                                  kMode = "mode", kFolder = "folder", kFile = "file", kFiled = "filed", kBack = "back",
                                  kEnd = "end", kUndoing = "undoing", kUndone = "undone", kKept = "kept";
}

// The whole record of a run.
platform::status::Status readRecordedRun(const RunRecordFolder& folder, const std::string& id, RecordedRun& run);
// Its start and its end only, without its files: quick also for a long run.
platform::status::Status readRunOverview(const RunRecordFolder& folder, const std::string& id, RecordedRun& run);
// What undoing the run did so far; no undo record means nothing was undone.
platform::status::Status readRecordedUndo(const RunRecordFolder& folder, const std::string& id, RecordedUndo& undo);

}  // namespace administrator::runrecord
