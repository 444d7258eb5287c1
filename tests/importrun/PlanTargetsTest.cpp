// The preview's look for targets already on disk: the answers a look at each
// target gives, from one listing per destination folder, looking at a target
// itself only where a listing cannot tell.
#include <gtest/gtest.h>

#include <cstring>
#include <functional>

#include <tests/importrun/RunFakes.h>

namespace tests::importrun {
namespace {

using platform::filesystem::EntryKind;

class CountingFiles : public FakeFiles {
 public:
  bool fileExists(const std::string& path) override {
    ++looks;
    return FakeFiles::fileExists(path);
  }
  int looks = 0;
};

struct TargetCase {
  const char* what;
  std::function<void(CountingFiles&)> arrange;  // what lies in the destination
  const char* existing;                         // the source file left because its target exists; none: ""
  int looks;                                    // at targets themselves
};

const TargetCase kCases[] = {
    {"an empty destination", [](CountingFiles&) {}, "", 0},
    {"a file at a target",
     [](CountingFiles& f) {
       f.folders.insert({"/dest/Band", "/dest/Band/Record"});
       f.addFile("/dest/Band/Record/Song.mp3");
     },
     "/src/a.mp3", 0},
    {"the artist's folder without the album's", [](CountingFiles& f) { f.folders.insert("/dest/Band"); }, "", 0},
    {"a folder with a target's name",
     [](CountingFiles& f) {
       f.folders.insert({"/dest/Band", "/dest/Band/Record", "/dest/Band/Record/Song.mp3"});
     },
     "", 0},
    {"a name that differs from a target's in case only",
     [](CountingFiles& f) {
       f.folders.insert({"/dest/Band", "/dest/Band/Record"});
       f.addFile("/dest/Band/Record/song.mp3");
     },
     "", 1},
    {"an artist's folder that is a link",
     [](CountingFiles& f) { f.otherEntries["/dest/Band"] = platform::filesystem::EntryKind::SymbolicLink; }, "", 3},
    {"a link with a target's name",
     [](CountingFiles& f) {
       f.folders.insert({"/dest/Band", "/dest/Band/Record"});
       f.otherEntries["/dest/Band/Record/Other.mp3"] = platform::filesystem::EntryKind::SymbolicLink;
     },
     "", 1},
    {"a name beyond ASCII beside the targets",
     [](CountingFiles& f) {
       f.folders.insert({"/dest/Band", "/dest/Band/Record"});
       f.addFile("/dest/Band/Record/Caf\xC3\xA9.mp3");
     },
     "", 3},
    {"a destination that cannot be listed", [](CountingFiles& f) { f.folders.erase("/dest"); }, "", 3},
};

TEST(PlanTargets, TargetsOnDiskAreFoundThroughTheirFoldersListings) {
  for (const auto& c : kCases) {
    FakeTagReader tags;
    CountingFiles files;
    files.folders = {"/src", "/dest"};
    const std::pair<const char*, const char16_t*> songs[] = {
        {"/src/a.mp3", u"Song"}, {"/src/b.mp3", u"Other"}, {"/src/c.mp3", u"Third"}};
    for (const auto& [path, title] : songs) {
      files.addFile(path);
      tags.tags[std::u16string(path, path + std::strlen(path))] = {title, u"Record", u"Band"};
    }
    c.arrange(files);

    const administrator::importrun::RunPlan plan =
        administrator::importrun::planRun(tags, files, {"", "/src", "/dest"});
    ASSERT_TRUE(plan.status) << c.what;
    ASSERT_EQ(plan.files.size(), 3u) << c.what;
    for (const auto& file : plan.files) {
      const bool exists = file.sourcePath == c.existing;
      EXPECT_EQ(file.filed(), !exists) << c.what << ": " << file.sourcePath;
      if (exists) {
        EXPECT_EQ(file.leave->reason, administrator::importrun::LeaveReason::TargetExists) << c.what;
      }
    }
    EXPECT_EQ(files.looks, c.looks) << c.what;
  }
}

}  // namespace
}  // namespace tests::importrun
