#pragma once
#include <cstddef>
#include <string>

#include <administrator/catalogue/Catalogue.h>
#include <platform/filesystem/FileSystem.h>

#include <administrator/runrecord/FileRunRecord.h>
#include <administrator/runrecord/RecordedRun.h>
#include <administrator/importrun/RunView.h>
#include <administrator/runrecord/UndoRecord.h>

namespace administrator::undo {

struct UndoResult {
  bool started = false;
  std::string runId;
  std::size_t undone = 0, kept = 0;
};

// Takes a recorded run back, newest file first: a file still as the run left it
// goes back to its source (never over another file) and its row goes, if the row
// still holds what the run wrote; then the folders the run made go if empty.
// Whatever changed since is left as it is, with the reason. Undoing again
// finishes an undo that was killed and changes nothing that is done.
class UndoRun {
 public:
  UndoRun(platform::filesystem::FileSystem& files, catalogue::Catalogue& catalogue, importrun::RunView& view,
          runrecord::RunRecordFolder folder = runrecord::RunRecordFolder())
      : files_(files), catalogue_(catalogue), view_(view), folder_(std::move(folder)) {}

  // The run with that id, or (empty) the newest one not undone yet.
  UndoResult undo(const std::string& runId);

 private:
  bool chooseRun(const std::string& requested);
  bool takeCatalogue(runrecord::FileRunRecord& lock);
  bool readRun(const runrecord::CatalogueLock& catalogue);
  void undoFiles(runrecord::UndoRecord& record);
  void undoFile(const runrecord::RecordedFile& file, runrecord::RecordedUndo::State state,
                runrecord::UndoRecord& record);
  bool isBackAtSource(const runrecord::RecordedFile& file);
  platform::status::Status removeRow(const catalogue::CatalogueRow& row);
  platform::status::Status putRowBack(const catalogue::CatalogueRow& row);
  void undone(const runrecord::RecordedFile& file, runrecord::UndoRecord& record);
  void keep(const runrecord::RecordedFile& file, const std::string& reason, runrecord::UndoRecord& record);
  void removeEmptyFolders();
  void closeCatalogue();
  void line(const std::u16string& text);
  void refuse(const std::string& reason);

  platform::filesystem::FileSystem& files_;
  catalogue::Catalogue& catalogue_;
  importrun::RunView& view_;
  runrecord::RunRecordFolder folder_;
  runrecord::RecordedRun run_;
  runrecord::RecordedUndo undone_;
  UndoResult result_;
  std::u16string summary_;
  std::string modeToPutBack_;
};

}  // namespace administrator::undo
