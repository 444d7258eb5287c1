#include <administrator/importrun/RunPlanner.h>

#include <limits.h>

#include <algorithm>

#include <administrator/catalogue/CatalogueFiles.h>
#include <platform/filesystem/ListOrder.h>
#include <platform/text/Utf.h>

#include <administrator/importrun/SafeName.h>

namespace administrator::importrun {

using platform::status::Status;
namespace {

using platform::filesystem::EntryKind;

// Folder path, one separator and a name: always joined this way, also after a
// path that already ends in a separator, so the catalogue row shows exactly what
// the window showed.
std::string join(const std::string& folder, const std::string& name) { return folder + "/" + name; }

struct FieldCheck {
  TagField field;
  LeaveReason whenEmpty;
};
// Tested in this order; the first empty field decides.
constexpr FieldCheck kFieldChecks[] = {
    {TagField::Title, LeaveReason::NoTitle},
    {TagField::Album, LeaveReason::NoAlbum},
    {TagField::Artist, LeaveReason::NoArtist},
};

std::u16string& fieldOf(TagField field, PlannedFile& file) {
  switch (field) {
    case TagField::Title: return file.title;
    case TagField::Album: return file.album;
    case TagField::Artist: break;
  }
  return file.artist;
}

}  // namespace

RunPlanner::RunPlanner(TagReader& tags, platform::filesystem::FileSystem& files, RunInputs inputs, Options options)
    : tags_(tags), files_(files), inputs_(std::move(inputs)), options_(options) {
  if (options_.checkTargetsOnDisk) targetsOnDisk_.emplace(files_, inputs_.destinationRoot);
}

// The source is read once for its files and its folders: it may hold many.
Status RunPlanner::listFolders() {
  platform::filesystem::Listing source = files_.listEntries(inputs_.sourceFolder);
  if (!source.status) return source.status;
  sourceFiles_ = {};
  subfolders_ = {};
  for (auto& entry : source.entries)
    (entry.kind == EntryKind::Folder ? subfolders_ : sourceFiles_).entries.push_back(std::move(entry));
  platform::filesystem::sortInListOrder(sourceFiles_.entries);
  platform::filesystem::sortInListOrder(subfolders_.entries);
  subfolderFiles_.clear();
  subfolderFiles_.reserve(subfolders_.entries.size());
  count_ = sourceFiles_.entries.size();
  for (const auto& folder : subfolders_.entries) {
    subfolderFiles_.push_back(files_.listFiles(join(inputs_.sourceFolder, folder.name)));
    count_ += subfolderFiles_.back().status ? subfolderFiles_.back().entries.size() : 1;
  }
  folder_ = entry_ = 0;
  chosenTargets_.reserve(count_);
  return Status::success();
}

const platform::filesystem::Listing& RunPlanner::folderListing(std::size_t folder) const {
  return folder == 0 ? sourceFiles_ : subfolderFiles_[folder - 1];
}

std::string RunPlanner::folderPath(std::size_t folder) const {
  return folder == 0 ? inputs_.sourceFolder : join(inputs_.sourceFolder, subfolders_.entries[folder - 1].name);
}

const std::string& RunPlanner::currentFolderPath() {
  if (pathOfFolder_ != folder_) {
    folderPath_ = folderPath(folder_);
    pathOfFolder_ = folder_;
  }
  return folderPath_;
}

std::string RunPlanner::sourcePathAt(ChosenTargets::Place place) const {
  return join(folderPath(place.folder), folderListing(place.folder).entries[place.entry].name);
}

bool RunPlanner::next(PlannedFile& file) {
  for (; folder_ <= subfolderFiles_.size(); ++folder_, entry_ = 0) {
    const auto& listing = folderListing(folder_);
    if (!listing.status) {
      if (entry_++ > 0) continue;  // said once
      file = PlannedFile{};
      file.name = subfolders_.entries[folder_ - 1].name;
      file.sourcePath = folderPath(folder_);
      file.folderNotListed = true;
      file.leave = Leave{LeaveReason::NotFiled, listing.status.reason(), {}};
      return true;
    }
    if (entry_ < listing.entries.size()) {
      decide(listing.entries[entry_++], currentFolderPath(), file);
      return true;
    }
  }
  return false;
}

void RunPlanner::decide(const platform::filesystem::Entry& entry, const std::string& folder, PlannedFile& file) {
  file = PlannedFile{};
  file.name = entry.name;
  file.sourcePath = join(folder, entry.name);
  file.leave = judgeKind(entry, file.sourcePath);
  if (!file.leave) file.leave = judgeTag(file.sourcePath, file);
  if (!file.leave) file.leave = judgeTarget(file);
}

// Only ordinary files hold music; a link is never followed, so it never moves
// what it points to, nor itself. The catalogue is told by identity, not by name:
// its last bytes can read as a tag, and another path or a hard link may reach it.
std::optional<Leave> RunPlanner::judgeKind(const platform::filesystem::Entry& entry, const std::string& path) {
  if (entry.kind == EntryKind::SymbolicLink) return Leave{LeaveReason::SymbolicLink, {}, {}};
  if (entry.kind != EntryKind::File) return Leave{LeaveReason::NotOrdinaryFile, {}, {}};
  if (!mayHoldCatalogueFiles(folder_)) return std::nullopt;
  const auto found = files_.identify(path);
  if (!found.status) return Leave{LeaveReason::CannotLookAt, found.status.cause(), {}};
  if (std::find(excluded_.begin(), excluded_.end(), found.value) != excluded_.end())
    return Leave{LeaveReason::CatalogueFile, {}, {}};
  return std::nullopt;
}

bool RunPlanner::mayHoldCatalogueFiles(std::size_t folder) {
  if (excluded_.empty()) return false;
  if (excludedHaveOtherNames_ || !excludedFolder_) return true;
  if (lookedAtFolder_ != folder) {
    lookedAtFolder_ = folder;
    const auto here = files_.identify(folderPath(folder));
    lookAtFilesHere_ = !here.status || here.value == *excludedFolder_;
  }
  return lookAtFilesHere_;
}

void RunPlanner::excludeCatalogue(const std::string& cataloguePath) {
  excluded_.clear();
  excludedHaveOtherNames_ = false;
  for (const auto& path : catalogue::catalogueFilesOf(cataloguePath))
    if (const auto found = files_.identify(path); found.status) {
      excluded_.push_back(found.value);
      excludedHaveOtherNames_ = excludedHaveOtherNames_ || found.value.links > 1;
    }
  const auto slash = cataloguePath.find_last_of('/');
  const auto folder =
      files_.identify(slash == std::string::npos ? "." : cataloguePath.substr(0, std::max<std::size_t>(slash, 1)));
  excludedFolder_ = folder.status ? std::optional(folder.value) : std::nullopt;
}

std::optional<Leave> RunPlanner::judgeTag(const std::string& path, PlannedFile& file) {
  // A file the reader did not take has no fields of its own: it must never be
  // judged by the previous file's tag.
  const bool loaded = tags_.load(platform::text::utf16FromUtf8(path)).ok();
  for (const auto& check : kFieldChecks) {
    std::u16string& value = fieldOf(check.field, file);
    if (loaded) {
      if (const Status read = tags_.read(check.field, value); !read)
        return Leave{LeaveReason::TagNotRead, read.reason(), {}};
    }
    if (loaded && !value.empty()) continue;
    // The reader shows a file it cannot open as one without a tag.
    if (check.field == TagField::Title)
      if (const Status readable = files_.checkReadable(path); !readable)
        return Leave{LeaveReason::CannotRead, readable.cause(), {}};
    return Leave{check.whenEmpty, {}, {}};
  }
  return std::nullopt;
}

// A file to be filed keeps its target chosen, so that a later file of the plan
// meets it taken.
std::optional<Leave> RunPlanner::judgeTarget(PlannedFile& file) {
  const std::string artist = safeNameComponent(file.artist), album = safeNameComponent(file.album),
                    name = safeNameComponent(file.title) + ".mp3";
  file.artistFolder = join(inputs_.destinationRoot, artist);
  file.albumFolder = join(file.artistFolder, album);
  file.target = join(file.albumFolder, name);
  if (file.target.size() >= PATH_MAX) return Leave{LeaveReason::NameTooLong, file.target, {}};
  if (const auto first = chosenTargets_.choose(file.target, {folder_, entry_ - 1}))
    return Leave{LeaveReason::TargetTaken, file.target, sourcePathAt(*first)};
  if (targetsOnDisk_ && targetsOnDisk_->fileExists(artist, album, name, file.target)) {
    chosenTargets_.release(file.target);
    return Leave{LeaveReason::TargetExists, file.target, {}};
  }
  return std::nullopt;
}

std::string RunPlanner::chosenBy(const std::string& target) const {
  const auto chosen = chosenTargets_.chooser(target);
  return chosen ? sourcePathAt(*chosen) : std::string();
}

RunPlan planRun(TagReader& tags, platform::filesystem::FileSystem& files, const RunInputs& inputs) {
  RunPlan plan;
  RunPlanner planner(tags, files, inputs, {});
  if (!inputs.cataloguePath.empty()) planner.excludeCatalogue(inputs.cataloguePath);
  plan.status = planner.listFolders();
  if (!plan.status) return plan;
  plan.files.reserve(planner.count() + 1);
  // Each decision is made in its place in the plan: a plan of many files would
  // otherwise move every one of them once more.
  while (planner.next(plan.files.emplace_back())) (plan.files.back().filed() ? plan.filed : plan.left) += 1;
  plan.files.pop_back();
  return plan;
}

}  // namespace administrator::importrun
