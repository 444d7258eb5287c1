#include "filesystem/PosixFileSystem.h"
#include "filesystem/TemporaryFolder.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>

namespace {

using platform::filesystem::PosixFileSystem;
using testing::ElementsAre;
using testing::HasSubstr;
using testing_support::TemporaryFolder;
using testing_support::writeFile;

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

TEST_F(FolderListingTest, ListsEveryOrdinaryFileHiddenIncludedInByteOrder) {
  const auto listing = fileSystem.listFiles(folder.path());
  ASSERT_TRUE(listing.status) << listing.status.reason();
  EXPECT_THAT(listing.names,
              ElementsAre(".hidden.mp3", "10.mp3", "9.mp3", "A.mp3", "Z", "a.mp3", "b.mp3", "\xC3\xA9.mp3"));
}

TEST_F(FolderListingTest, ListsEverySubfolderHiddenIncludedInByteOrder) {
  const auto listing = fileSystem.listSubfolders(folder.path());
  ASSERT_TRUE(listing.status) << listing.status.reason();
  EXPECT_THAT(listing.names, ElementsAre(".covers", "Jazz", "rock", "\xC3\x89t\xC3\xA9"));
}

TEST_F(FolderListingTest, ListingAMissingFolderFailsNamingIt) {
  const std::string missing = folder / "missing";
  for (const auto& listing : {fileSystem.listFiles(missing), fileSystem.listSubfolders(missing)}) {
    EXPECT_FALSE(listing.status);
    EXPECT_THAT(listing.status.reason(), HasSubstr(missing));
    EXPECT_THAT(listing.status.reason(), HasSubstr("No such file or directory"));
    EXPECT_TRUE(listing.names.empty());
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
  EXPECT_THAT(nested.reason(), HasSubstr("create the folder \"" + folder / "Nobody/Album" + "\""));
  EXPECT_FALSE(fileSystem.folderExists(folder / "Nobody"));

  const auto overFile = fileSystem.createFolder(folder / "a.mp3");
  EXPECT_FALSE(overFile);
  EXPECT_EQ(testing_support::readFile(folder / "a.mp3"), "a.mp3");
}

}  // namespace
