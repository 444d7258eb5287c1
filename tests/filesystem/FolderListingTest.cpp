#include <platform/filesystem/PosixFileSystem.h>
#include <tests/support/TemporaryFolder.h>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <sys/stat.h>

#include <filesystem>

namespace {

using platform::filesystem::Entry;
using platform::filesystem::PosixFileSystem;
using Kind = platform::filesystem::EntryKind;
using testing::ElementsAre;
using testing::HasSubstr;
using namespace tests::support;

// A folder that mixes files and folders, hidden ones, names that sort differently
// by locale than by byte, and a link of each kind.
class FolderListingTest : public testing::Test {
 protected:
  void SetUp() override {
    for (const char* name : {"b.mp3", ".hidden.mp3", "a.mp3", "A.mp3", "Z", "\xC3\xA9.mp3", "10.mp3", "9.mp3"})
      writeFile(folder / name, name);
    for (const char* name : {"rock", ".covers", "Jazz", "\xC3\x89t\xC3\xA9"})
      std::filesystem::create_directory(folder / name);
    writeFile(folder / "rock/deeper.mp3", "x");
    std::filesystem::create_symlink(folder / "a.mp3", folder / "link-to-file.mp3");
    std::filesystem::create_directory_symlink(folder / "rock", folder / "link-to-folder");
  }

  TemporaryFolder folder;
  PosixFileSystem fileSystem;
};

std::vector<Entry> entriesOf(const platform::filesystem::Listing& listing) {
  EXPECT_TRUE(listing.status) << listing.status.reason();
  return listing.entries;
}

// In the order the window's lists show, without regard to case: links and other
// entries are files here, so the run can say why it leaves them.
TEST_F(FolderListingTest, ListsEveryEntryThatIsNoFolderWithItsKindInListOrder) {
  ::mkfifo((folder / "pipe").c_str(), 0600);
  EXPECT_THAT(entriesOf(fileSystem.listFiles(folder.path())),
              ElementsAre(Entry{".hidden.mp3", Kind::File}, Entry{"10.mp3", Kind::File}, Entry{"9.mp3", Kind::File},
                          Entry{"A.mp3", Kind::File}, Entry{"a.mp3", Kind::File}, Entry{"b.mp3", Kind::File},
                          Entry{"link-to-file.mp3", Kind::SymbolicLink}, Entry{"link-to-folder", Kind::SymbolicLink},
                          Entry{"pipe", Kind::Other}, Entry{"Z", Kind::File}, Entry{"\xC3\xA9.mp3", Kind::File}));
}

TEST_F(FolderListingTest, ListsEverySubfolderHiddenIncludedButNoLinkInListOrder) {
  EXPECT_THAT(entriesOf(fileSystem.listSubfolders(folder.path())),
              ElementsAre(Entry{".covers", Kind::Folder}, Entry{"Jazz", Kind::Folder}, Entry{"rock", Kind::Folder},
                          Entry{"\xC3\x89t\xC3\xA9", Kind::Folder}));
}

TEST_F(FolderListingTest, ListingAMissingFolderFailsNamingIt) {
  const std::string missing = folder / "missing";
  for (const auto& listing : {fileSystem.listFiles(missing), fileSystem.listSubfolders(missing)}) {
    EXPECT_FALSE(listing.status);
    EXPECT_THAT(listing.status.reason(), HasSubstr(missing));
    EXPECT_THAT(listing.status.reason(), HasSubstr("No such file or directory"));
    EXPECT_TRUE(listing.entries.empty());
  }
}

TEST_F(FolderListingTest, ExistenceTestsTellFilesFromFolders) {
  struct Case {
    std::string path;
    bool isFile;
    bool isFolder;
  };
  const Case cases[] = {
      {folder / "a.mp3", true, false},    {folder / ".hidden.mp3", true, false},   {folder / "rock", false, true},
      {folder / "missing", false, false}, {folder / "a.mp3/inside", false, false},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(fileSystem.fileExists(c.path), c.isFile) << c.path;
    EXPECT_EQ(fileSystem.folderExists(c.path), c.isFolder) << c.path;
  }
}

TEST_F(FolderListingTest, CreatesOneFolderOnlyBelowAnExistingOne) {
  EXPECT_TRUE(fileSystem.createFolder(folder / "Artist"));
  EXPECT_TRUE(fileSystem.folderExists(folder / "Artist"));

  const auto again = fileSystem.createFolder(folder / "Artist");
  EXPECT_THAT(again.reason(), HasSubstr("File exists"));

  const auto nested = fileSystem.createFolder(folder / "Nobody/Album");
  EXPECT_THAT(nested.reason(), HasSubstr("create the folder \"" + (folder / "Nobody/Album").string() + "\""));
  EXPECT_FALSE(fileSystem.folderExists(folder / "Nobody"));

  const auto overFile = fileSystem.createFolder(folder / "a.mp3");
  EXPECT_FALSE(overFile);
  EXPECT_EQ(tests::support::readFile(folder / "a.mp3"), "a.mp3");
}

}  // namespace
