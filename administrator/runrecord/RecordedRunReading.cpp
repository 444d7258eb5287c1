#include <administrator/runrecord/RecordedRunReading.h>

#include <cerrno>
#include <charconv>
#include <string_view>
#include <sys/stat.h>
#include <vector>

#include <administrator/runrecord/RecordFile.h>
#include <administrator/runrecord/RecordLines.h>

namespace administrator::runrecord {

using platform::status::Status;
namespace {

using namespace recordword;
using Fields = std::vector<std::string>;

template <typename Number>
bool parseNumber(const std::string& text, Number& value) {
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  return error == std::errc() && end == text.data() + text.size();
}

// Calls `each` with the fields of every whole line; a torn last line is skipped.
template <typename Each>
void forEachLine(const std::string& text, Each each) {
  Fields fields;
  for (std::size_t start = 0; start < text.size();) {
    const std::size_t end = text.find('\n', start);
    if (end == std::string::npos) return;
    if (record::parseLine(std::string_view(text).substr(start, end - start), fields)) each(fields);
    start = end + 1;
  }
}

void readHeaderLine(const Fields& f, RecordedRun& run) {
  if (f[0] == kStarted && f.size() == 2) run.started = f[1];
  if (f[0] == kCatalogue && f.size() == 4) {
    run.inputs.cataloguePath = f[1];
    parseNumber(f[2], run.catalogueDevice);
    parseNumber(f[3], run.catalogueInode);
  }
  if (f[0] == kSource && f.size() == 2) run.inputs.sourceFolder = f[1];
  if (f[0] == kDestination && f.size() == 2) run.inputs.destinationRoot = f[1];
  if (f[0] == kMode && f.size() == 2) run.journalMode = f[1];
}

bool readEndLine(const Fields& f, RecordedRun& run) {
  if (f[0] != kEnd || f.size() != 5) return false;
  if (!parseNumber(f[1], run.ending.filed) || !parseNumber(f[2], run.ending.left)) return false;
  run.how = f[3];
  run.ending.stopped = run.how == "stopped";
  run.ended = true;
  return true;
}

// A file line: number, rowid, source, target, track, artist, album.
void readFileLine(const Fields& f, RecordedRun& run) {
  RecordedFile file;
  if (f.size() != 8 || !parseNumber(f[1], file.entry.number) || !parseNumber(f[2], file.entry.row.rowid)) return;
  file.entry.source = f[3];
  file.entry.row = {file.entry.row.rowid, f[5], f[6], f[7], f[4]};
  run.files.push_back(std::move(file));
}

RecordedFile* fileNumbered(RecordedRun& run, const std::string& number) {
  std::size_t n = 0;
  if (!parseNumber(number, n)) return nullptr;
  // Units end in the order they began, so the one named is nearly always the last.
  for (auto it = run.files.rbegin(); it != run.files.rend(); ++it)
    if (it->entry.number == n) return &*it;
  return nullptr;
}

void readFiledLine(const Fields& f, RecordedRun& run) {
  RecordedFile* file = f.size() == 6 ? fileNumbered(run, f[1]) : nullptr;
  if (!file) return;
  auto& as = file->asFiled;
  if (parseNumber(f[2], as.device) && parseNumber(f[3], as.inode) && parseNumber(f[4], as.size) &&
      parseNumber(f[5], as.modifiedNs))
    file->state = RecordedFile::State::Filed;
}

bool isRecord(const std::string& text, std::string_view magic) {
  return text.compare(0, magic.size(), magic) == 0 && text.size() > magic.size() && text[magic.size()] == '\t';
}

Status notARecord(const std::string& path) {
  return Status::failure("read the run record \"" + path + "\"", "it is not a run record of this program");
}

}  // namespace

Status readRecordedRun(const RunRecordFolder& folder, const std::string& id, RecordedRun& run) {
  run = {};
  run.id = id;
  std::string text;
  if (Status read = readRecordText(folder.recordPath(id), text); !read) return read;
  if (!isRecord(text, kRunMagic)) return notARecord(folder.recordPath(id));
  forEachLine(text, [&run](const Fields& f) {
    readHeaderLine(f, run);
    if (f[0] == kFolder && f.size() == 2) run.folders.push_back(f[1]);
    if (f[0] == kFile) readFileLine(f, run);
    if (f[0] == kFiled) readFiledLine(f, run);
    if (f[0] == kBack && f.size() == 2)
      if (RecordedFile* file = fileNumbered(run, f[1])) file->state = RecordedFile::State::NotFiled;
    readEndLine(f, run);
  });
  return Status::success();
}

Status readRunOverview(const RunRecordFolder& folder, const std::string& id, RecordedRun& run) {
  run = {};
  run.id = id;
  std::string head, last;
  if (Status read = readRecordEnds(folder.recordPath(id), 16384, head, last); !read) return read;
  if (!isRecord(head, kRunMagic)) return notARecord(folder.recordPath(id));
  forEachLine(head, [&run](const Fields& f) { readHeaderLine(f, run); });
  Fields fields;
  if (record::parseLine(last, fields)) readEndLine(fields, run);
  return Status::success();
}

Status readRecordedUndo(const RunRecordFolder& folder, const std::string& id, RecordedUndo& undo) {
  undo = {};
  std::string text;
  const std::string path = folder.undoPath(id);
  struct stat info {};
  if (::stat(path.c_str(), &info) != 0 && errno == ENOENT) return Status::success();
  if (Status read = readRecordText(path, text); !read) return read;
  // An undo killed before its first line was whole had done nothing yet.
  if (text.find('\n') == std::string::npos) return Status::success();
  if (!isRecord(text, kUndoMagic)) return notARecord(path);
  undo.begun = true;
  forEachLine(text, [&undo](const Fields& f) {
    std::size_t n = 0;
    if (f[0] == kMode && f.size() == 2 && undo.journalMode.empty()) undo.journalMode = f[1];
    if (f[0] == kStarted) undo.ended = false;
    if (f[0] == kEnd) {
      undo.ended = true;
      if (f.size() != 4 || !parseNumber(f[2], undo.keptAtEnd)) undo.keptAtEnd = 0;
    }
    if (f.size() < 2 || !parseNumber(f[1], n)) return;
    if (f[0] == kUndoing) undo.states[n] = RecordedUndo::State::Undoing;
    if (f[0] == kUndone) undo.states[n] = RecordedUndo::State::Undone;
    if (f[0] == kKept) undo.states[n] = RecordedUndo::State::Kept;
  });
  return Status::success();
}

}  // namespace administrator::runrecord
