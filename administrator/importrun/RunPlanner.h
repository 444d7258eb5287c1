#pragma once
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include <platform/filesystem/FileSystem.h>

#include <administrator/importrun/ChosenTargets.h>
#include <administrator/importrun/PlannedFile.h>
#include <administrator/importrun/RunInputs.h>
#include <administrator/importrun/TagReader.h>
#include <administrator/importrun/TargetsOnDisk.h>

namespace administrator::importrun {

// Decides, file by file, what a run does with a source folder and the folders
// one level below it, in the order the lists show them: file it (where to) or
// leave it (why). It reads tags and looks at files, and touches nothing.
class RunPlanner {
 public:
  struct Options {
    // The preview looks for targets already on disk; a run learns it from the
    // move, which never replaces a file, and spares a look per file.
    bool checkTargetsOnDisk = true;
  };

  RunPlanner(TagReader& tags, platform::filesystem::FileSystem& files, RunInputs inputs, Options options);

  // The catalogue's own files are never music, wherever they lie; taken once the
  // catalogue is open, so that its side files exist already.
  void excludeCatalogue(const std::string& cataloguePath);

  // Lists every folder before the first file is decided on, so that a file a run
  // files into a folder it visits later is not met again there, and folders the
  // run creates are never visited. Fails when the source cannot be listed.
  platform::status::Status listFolders();
  // How many things the run will meet (files, links and folders it cannot list).
  std::size_t count() const { return count_; }

  // The next thing met, decided; false when there is none.
  bool next(PlannedFile& file);
  // A file that could not be filed after all gives its target back.
  void release(const std::string& target) { chosenTargets_.release(target); }
  // The source path of the file of this plan that chose `target`; empty if none.
  std::string chosenBy(const std::string& target) const;

 private:
  void decide(const platform::filesystem::Entry& entry, const std::string& folder, PlannedFile& file);
  std::optional<Leave> judgeKind(const platform::filesystem::Entry& entry, const std::string& path);
  bool mayHoldCatalogueFiles(std::size_t folder);
  std::optional<Leave> judgeTag(const std::string& path, PlannedFile& file);
  std::optional<Leave> judgeTarget(PlannedFile& file);
  const platform::filesystem::Listing& folderListing(std::size_t folder) const;
  std::string folderPath(std::size_t folder) const;
  const std::string& currentFolderPath();
  std::string sourcePathAt(ChosenTargets::Place place) const;

  TagReader& tags_;
  platform::filesystem::FileSystem& files_;
  RunInputs inputs_;
  Options options_;
  std::vector<platform::filesystem::FileIdentity> excluded_;
  // Without a second name, a catalogue file lies only in its own folder, so
  // files elsewhere need no look at their identity.
  std::optional<platform::filesystem::FileIdentity> excludedFolder_;
  bool excludedHaveOtherNames_ = false;
  std::size_t lookedAtFolder_ = SIZE_MAX;
  bool lookAtFilesHere_ = false;
  platform::filesystem::Listing sourceFiles_, subfolders_;
  std::vector<platform::filesystem::Listing> subfolderFiles_;
  std::size_t count_ = 0;
  std::size_t folder_ = 0, entry_ = 0;  // the place of the next thing met; folder 0 is the source
  std::size_t pathOfFolder_ = SIZE_MAX;
  std::string folderPath_;  // of folder pathOfFolder_
  ChosenTargets chosenTargets_;
  std::optional<TargetsOnDisk> targetsOnDisk_;
};

// A whole plan at once, for the preview and a dry run.
struct RunPlan {
  platform::status::Status status = platform::status::Status::success();  // a failure: nothing could be planned
  std::vector<PlannedFile> files;
  std::size_t filed = 0, left = 0;
};
RunPlan planRun(TagReader& tags, platform::filesystem::FileSystem& files, const RunInputs& inputs);

}  // namespace administrator::importrun
