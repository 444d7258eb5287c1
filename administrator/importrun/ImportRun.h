#pragma once
#include <string>
#include <vector>

#include <catalogue/Catalogue.h>
#include <filesystem/FileSystem.h>
#include <status/Status.h>

#include "RecoveryJournal.h"
#include "RunView.h"
#include "TagReader.h"

namespace mervalis {

// The three inputs of a run, taken once when it starts and used to its end.
struct RunInputs {
  std::string cataloguePath;
  std::string sourceFolder;
  std::string destinationRoot;
};

// Files every tagged file of a source folder and of the folders one level below
// it: one catalogue row and a move to root/artist/album/title.mp3 per file,
// a log line per visited file, and a summary of every file that was not filed.
class ImportRun {
 public:
  // Without a journal a run killed between a move and its commit leaves that file
  // at its target without a row, unnoticed.
  ImportRun(TagReader& tags, platform::filesystem::FileSystem& files, Catalogue& catalogue, RunView& view);
  // With a journal the run notes each move before it happens and, when it starts,
  // moves back a file that an earlier, killed run left without its row.
  ImportRun(TagReader& tags, platform::filesystem::FileSystem& files, Catalogue& catalogue, RunView& view,
            RecoveryJournal& journal)
      : tags_(tags), files_(files), catalogue_(catalogue), view_(view), journal_(journal) {}

  void run(const RunInputs& inputs);

 private:
  struct AcceptedTag {
    std::u16string title, album, artist;
  };
  // Where an accepted file goes: <root>/<artist>/<album>/<title>.mp3.
  struct Destination {
    std::string artistFolder, albumFolder, target;
  };

  bool openJournal();
  void closeCatalogue();
  void recoverMoveInFlight(const MoveInFlight& left);
  // A line of its own in both the log and the summary.
  void logAndSummarise(const std::u16string& message);
  void noteCatalogueFiles();
  using Listing = platform::filesystem::Listing;
  bool listSourceFolder(Listing& files, Listing& subfolders);
  std::vector<Listing> listSubfolders(const Listing& subfolders);
  void processFolderFiles(const std::string& folder, const Listing& listed);
  void processSubfolder(const std::string& name, const Listing& listed);
  void processFile(const platform::filesystem::Entry& entry, const std::string& path);
  // Empty when the file is not one of the catalogue's own.
  std::u16string refusalOfCatalogueFile(const std::string& path);
  // Empty reason: the file is accepted and `tag` holds its fields.
  std::u16string judge(const std::string& path, AcceptedTag& tag);
  struct UnitOutcome {
    bool moved = false;
    bool targetTaken = false;
  };
  // Empty when the file is filed; else why it stays where it is.
  std::u16string file(const std::string& source, const AcceptedTag& tag);
  Status fileInsideTransaction(const std::string& source, const Destination& destination, const AcceptedTag& tag,
                               UnitOutcome& outcome);
  Status ensureFolder(const std::string& path);
  // The file stays where it is: the reason goes to its log line and the summary.
  void leave(const std::u16string& sourcePath, const std::u16string& reason);
  void reportFailure(const std::u16string& sourcePath, const std::u16string& reason);
  void stopBeforeStart(const std::u16string& message);
  // Another program writing to the catalogue would make every later file wait
  // for its lock and fail in turn, so the run ends after the file in hand.
  Status stopIfCatalogueBusy(const std::string& source, const Status& failure);
  bool stopped() const { return !stoppedAfter_.empty(); }

  TagReader& tags_;
  platform::filesystem::FileSystem& files_;
  Catalogue& catalogue_;
  RunView& view_;
  RecoveryJournal& journal_;
  RunInputs inputs_;
  // The catalogue's own files, which the run never takes for music.
  std::vector<platform::filesystem::FileIdentity> catalogueFiles_;
  std::u16string summary_;
  std::string modeToPutBack_;
  std::string stoppedAfter_;  // the source path of the last file visited, once stopped
};

}  // namespace mervalis
