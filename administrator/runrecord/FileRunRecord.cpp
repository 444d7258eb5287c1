#include <administrator/runrecord/FileRunRecord.h>

#include <ctime>

#include <administrator/runrecord/RecordLines.h>
#include <administrator/runrecord/RecordedRunReading.h>

namespace administrator::runrecord {

using platform::status::Status;
namespace {

using namespace recordword;
using platform::filesystem::FileIdentity;

std::string endLine(const importrun::RunEnding& ending, std::string_view how) {
  return record::line({kEnd, std::to_string(ending.filed), std::to_string(ending.left), how, recordTimeNow()});
}

std::string filedLine(std::size_t number, const FileIdentity& as) {
  return record::line({kFiled, std::to_string(number), std::to_string(as.device), std::to_string(as.inode),
                       std::to_string(as.size), std::to_string(as.modifiedNs)});
}

}  // namespace

std::string recordTimeNow() {
  const std::time_t now = std::time(nullptr);
  std::tm utc{};
  ::gmtime_r(&now, &utc);
  char text[32];
  std::strftime(text, sizeof text, "%Y-%m-%dT%H:%M:%SZ", &utc);
  return text;
}

Status FileRunRecord::open(const std::string& cataloguePath, std::vector<importrun::KilledRun>& killed) {
  close();
  killed.clear();
  if (Status locked = lock_.take(cataloguePath); !locked) return locked;
  return findKilled(killed);
}

// While this run holds the catalogue, an unfinished record of it is a dead run's.
Status FileRunRecord::findKilled(std::vector<importrun::KilledRun>& killed) const {
  for (const std::string& id : folder_.runIds()) {
    RecordedRun overview;
    if (!readRunOverview(folder_, id, overview) || overview.ended) continue;
    if (overview.catalogueDevice != lock_.device() || overview.catalogueInode != lock_.inode()) continue;
    RecordedRun run;
    if (Status read = readRecordedRun(folder_, id, run); !read) return read;
    importrun::KilledRun dead{id, run.journalMode, std::nullopt, 0};
    for (const RecordedFile& file : run.files) {
      if (file.state == RecordedFile::State::InFlight) dead.inFlight = file.entry;
      dead.filed += file.state == RecordedFile::State::Filed;
    }
    killed.push_back(std::move(dead));
  }
  return Status::success();
}

Status FileRunRecord::settleKilled(const importrun::KilledRun& run, const std::optional<FileIdentity>& asFiled) {
  RecordFile dead;
  Status step = dead.openToAdd(folder_.recordPath(run.id));
  std::string lines;
  if (run.inFlight)
    lines = asFiled ? filedLine(run.inFlight->number, *asFiled)
                    : record::line({kBack, std::to_string(run.inFlight->number)});
  // How many files it left died with it.
  lines += endLine({run.filed + (run.inFlight && asFiled ? 1 : 0), 0, false}, "killed");
  if (step) step = dead.append(lines);
  if (step) step = dead.flush();
  return step;
}

Status FileRunRecord::start(const importrun::RunInputs& inputs, const std::string& journalMode) {
  if (Status folder = folder_.create(); !folder) return folder;
  Status made = Status::failure("make the run record", "no name was free");
  for (int attempt = 0; attempt < 100; ++attempt) {
    id_ = newRunId(attempt);
    bool taken = false;
    made = file_.create(folder_.recordPath(id_), taken);
    if (made || !taken) break;
  }
  if (!made) {
    id_.clear();
    return made;
  }
  return file_.append(
      record::line({kRunMagic, "1"}) + record::line({kStarted, recordTimeNow()}) +
      record::line({kCatalogue, inputs.cataloguePath, std::to_string(lock_.device()), std::to_string(lock_.inode())}) +
      record::line({kSource, inputs.sourceFolder}) + record::line({kDestination, inputs.destinationRoot}) +
      record::line({kMode, journalMode}));
}

// Notes that only undo reads wait for the next file's entry and go with it in one
// write; a kill before that loses only what the next run finds out for itself.
Status FileRunRecord::folderCreated(const std::string& path) {
  pending_ += record::line({kFolder, path});
  return Status::success();
}

Status FileRunRecord::filing(const importrun::FilingEntry& entry) {
  if (Status same = lock_.checkUnchanged(); !same) return same;
  const catalogue::CatalogueRow& row = entry.row;
  pending_ += record::line({kFile, std::to_string(entry.number), std::to_string(row.rowid), entry.source, row.fileName,
                            row.track, row.artist, row.album});
  return writePending();
}

// Without its line a committed file is still found filed: the next run asks the
// catalogue for its row and looks at the file itself.
Status FileRunRecord::filed(std::size_t number, const FileIdentity& asFiled) {
  pending_ += filedLine(number, asFiled);
  return Status::success();
}

Status FileRunRecord::notFiled(std::size_t number) {
  pending_ += record::line({kBack, std::to_string(number)});
  return Status::success();
}

Status FileRunRecord::writePending() {
  Status written = file_.append(pending_);
  pending_.clear();
  return written;
}

Status FileRunRecord::finish(const importrun::RunEnding& ending) {
  pending_ += endLine(ending, ending.stopped ? "stopped" : "finished");
  Status step = writePending();
  if (step) step = file_.flush();
  return step;
}

void FileRunRecord::close() {
  pending_.clear();
  file_.close();
  lock_.release();
}

}  // namespace administrator::runrecord
