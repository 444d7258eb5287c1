#pragma once
#include <cstddef>
#include <string>

#include <administrator/catalogue/Catalogue.h>
#include <platform/filesystem/FileSystem.h>

#include <administrator/runrecord/FileRunRecord.h>
#include <administrator/runrecord/RecordedRun.h>
#include <administrator/importrun/RunView.h>
#include <administrator/runrecord/UndoRecord.h>

namespace mervalis {

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
  UndoRun(platform::filesystem::FileSystem& files, Catalogue& catalogue, RunView& view,
          RunRecordFolder folder = RunRecordFolder())
      : files_(files), catalogue_(catalogue), view_(view), folder_(std::move(folder)) {}

  // The run with that id, or (empty) the newest one not undone yet.
  UndoResult undo(const std::string& runId);

 private:
  bool chooseRun(const std::string& requested);
  bool takeCatalogue(FileRunRecord& lock);
  bool readRun(const CatalogueLock& catalogue);
  void undoFiles(UndoRecord& record);
  void undoFile(const RecordedFile& file, RecordedUndo::State state, UndoRecord& record);
  bool isBackAtSource(const RecordedFile& file);
  Status removeRow(const CatalogueRow& row);
  Status putRowBack(const CatalogueRow& row);
  void undone(const RecordedFile& file, UndoRecord& record);
  void keep(const RecordedFile& file, const std::string& reason, UndoRecord& record);
  void removeEmptyFolders();
  void closeCatalogue();
  void line(const std::u16string& text);
  void refuse(const std::string& reason);

  platform::filesystem::FileSystem& files_;
  Catalogue& catalogue_;
  RunView& view_;
  RunRecordFolder folder_;
  RecordedRun run_;
  RecordedUndo undone_;
  UndoResult result_;
  std::u16string summary_;
  std::string modeToPutBack_;
};

}  // namespace mervalis
