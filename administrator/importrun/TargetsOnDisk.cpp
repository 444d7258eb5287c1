#include <administrator/importrun/TargetsOnDisk.h>

#include <platform/text/NameCase.h>

namespace administrator::importrun {
namespace {

using platform::filesystem::EntryKind;

std::string join(const std::string& folder, const std::string& name) { return folder + "/" + name; }

}  // namespace

bool TargetsOnDisk::fileExists(const std::string& artist, const std::string& album, const std::string& name,
                               const std::string& target) {
  const Contents* folder = &contentsOf(root_);
  std::string path;
  for (const std::string* below : {&artist, &album}) {
    switch (find(*folder, *below)) {
      case Found::Nothing: return false;  // no folder, so no file in it
      case Found::Folder:
        path = join(path.empty() ? root_ : path, *below);
        folder = &contentsOf(path);
        break;
      default: return files_.fileExists(target);
    }
  }
  switch (find(*folder, name)) {
    case Found::File: return true;
    case Found::Nothing:
    case Found::Folder:
    case Found::NoFile: return false;
    case Found::Ask: break;
  }
  return files_.fileExists(target);
}

TargetsOnDisk::Found TargetsOnDisk::find(const Contents& contents, const std::string& name) const {
  if (!contents.listed) return Found::Ask;
  if (const auto entry = contents.entries.find(name); entry != contents.entries.end()) {
    switch (entry->second) {
      case EntryKind::File: return Found::File;
      case EntryKind::Folder: return Found::Folder;
      case EntryKind::SymbolicLink: return Found::Ask;  // a look follows it
      case EntryKind::Other: break;
    }
    return Found::NoFile;
  }
  if (contents.otherNames) return Found::Ask;
  if (contents.foldedNames.empty()) return Found::Nothing;
  std::string folded;
  if (!platform::text::foldedIfAscii(name, folded) || contents.foldedNames.count(folded)) return Found::Ask;
  return Found::Nothing;
}

// Every target lies below the root: its contents are kept at hand.
const TargetsOnDisk::Contents& TargetsOnDisk::contentsOf(const std::string& folder) {
  if (root_ == folder && rootContents_) return *rootContents_;
  const auto known = folders_.find(folder);
  if (known != folders_.end()) return known->second;
  Contents& contents = folders_[folder];
  if (root_ == folder) rootContents_ = &contents;
  platform::filesystem::Listing listing = files_.listEntries(folder);
  if (!listing.status) return contents;
  contents.listed = true;
  for (auto& entry : listing.entries) {
    std::string folded;
    if (platform::text::foldedIfAscii(entry.name, folded))
      contents.foldedNames.insert(std::move(folded));
    else
      contents.otherNames = true;
    contents.entries.emplace(std::move(entry.name), entry.kind);
  }
  return contents;
}

}  // namespace administrator::importrun
