// Layouts a person may well choose that put the run's own files in its way.
#include <gtest/gtest.h>

#include <sys/stat.h>

#include <fstream>

#include <tests/proof/ChildProcess.h>
#include <tests/proof/ProofRun.h>

namespace tests::proof {
namespace {

bool contains(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }

std::vector<std::vector<std::string>> rowsOf(const std::string& catalogue) {
  return support::RawDatabase(catalogue).rows("select Track, FileName from MP3Info");
}

// The window starts its lists on the current folder, so the catalogue often lies
// in the source; its last bytes can read as a tag, as SQLite keeps rows at a
// page's end. Its side files and a hard link of it are the catalogue too.
TEST(HostileLayout, CatalogueInTheSourceIsNeverFiled) {
  Collection collection;
  collection.add("a.mp3", {"Song A", "Artist", "Album"});
  const std::string catalogue = collection.source() + "/Catalogue.mdb";
  const std::string tail = tagTail({"Catalogue", "Artist", "Album"});
  std::filesystem::copy_file(EMPTY_CATALOGUE, catalogue);
  std::ofstream(catalogue, std::ios::app | std::ios::binary) << tail;
  std::filesystem::create_directories(collection.source() + "/sub");
  std::filesystem::create_hard_link(catalogue, collection.source() + "/sub/Backup.mp3");
  // Another program browsing the catalogue keeps its write-ahead log in place.
  support::RawDatabase browser(catalogue);
  ASSERT_EQ(browser.rows("pragma journal_mode=wal"), (std::vector<std::vector<std::string>>{{"wal"}}));
  RunSettings settings;
  settings.catalogue = catalogue;

  for (int run = 0; run < 2; ++run) {
    SCOPED_TRACE(run == 0 ? "first run" : "second run");
    FaultPlan plan;
    const support::RecordingRunView view = runImport(collection, plan, settings);
    const std::string log = view.logText();
    EXPECT_TRUE(contains(log, "Catalogue.mdb Error - Not filed: it belongs to the catalogue this run files into"))
        << log;
    EXPECT_TRUE(contains(log, "Catalogue.mdb-wal Error - ")) << log;
    EXPECT_TRUE(contains(log, "Backup.mp3 Error - ")) << log;
    EXPECT_TRUE(contains(view.summaryText(), collection.source() + "/sub/Backup.mp3 - ")) << view.summaryText();
    EXPECT_TRUE(std::filesystem::is_regular_file(catalogue));
    EXPECT_FALSE(std::filesystem::exists(collection.targetOf({"Catalogue", "Artist", "Album"})));
    const auto rows = rowsOf(catalogue);
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_EQ(rows[0][0], "Song A");
  }
  const Verdict verdict = collection.check(0, false);
  EXPECT_TRUE(verdict.problems.empty()) << describe(verdict);
  EXPECT_EQ(verdict.atTarget, 1);
}

// With the destination root above the source, a file can be filed into a folder
// of the source that the run visits after it: it is not met there again.
TEST(HostileLayout, FilesFiledIntoALaterVisitedFolderAreNotVisitedAgain) {
  Collection collection;
  collection.setDestination(collection.root());
  collection.add("a.mp3", {"Song A", "source", "sub"});
  collection.add("sub/b.mp3", {"Song B", "source", "sub"});
  FaultPlan plan;
  const support::RecordingRunView view = runImport(collection, plan);
  const Verdict verdict = collection.check();
  EXPECT_TRUE(verdict.problems.empty()) << describe(verdict);
  EXPECT_EQ(verdict.atTarget, 2);
  EXPECT_EQ(view.logText(), "\r\na.mp3\r\nb.mp3");
  EXPECT_EQ(view.summaryText(), "");
}

// A file whose tag cannot be read is not a file without a tag. Root reads
// anything, so the run is made as an unprivileged user when needed.
TEST(HostileLayout, AFileThatCannotBeReadIsSaidSo) {
  Collection collection;
  collection.add("a.mp3", {"Song A", "Artist", "Album"});
  collection.addUntagged("b.mp3");
  const std::string locked = collection.source() + "/a.mp3";
  const auto shown = runUnprivilegedWhile(collection, locked, 0, 0644);
  ASSERT_TRUE(shown);
  EXPECT_EQ(shown->log, "\r\na.mp3 Error - Not filed: it cannot be read (Permission denied)\r\nb.mp3 Error - No Title");
  const Verdict verdict = collection.check();
  EXPECT_TRUE(verdict.problems.empty()) << describe(verdict);
  EXPECT_EQ(verdict.atTarget, 0);
}

// Every entry of a visited folder gets its line, in the order the window lists
// them; a link of any kind is left as it is and what it points to is untouched.
TEST(HostileLayout, LinksAreVisitedInListOrderAndLeftAsTheyAre) {
  namespace fs = std::filesystem;
  Collection collection;
  collection.add("b lower.mp3", {"Song B", "Artist", "Album"});
  collection.add("C upper.mp3", {"Song C", "Artist", "Album"});
  const std::string outside = collection.root() + "/outside";
  fs::create_directories(outside + "/linked");
  collection.addExisting(outside + "/song.mp3", tagTail({"Linked", "Artist", "Album"}));
  collection.addExisting(outside + "/linked/deep.mp3", tagTail({"Deep", "Artist", "Album"}));
  const std::string source = collection.source();
  fs::create_symlink(outside + "/song.mp3", source + "/a link.mp3");
  fs::create_directory_symlink(outside + "/linked", source + "/D folder link");
  fs::create_symlink(source + "/nowhere.mp3", source + "/e dangling.mp3");
  fs::create_symlink(source + "/f loop.mp3", source + "/f loop.mp3");

  FaultPlan plan;
  const support::RecordingRunView view = runImport(collection, plan);
  const std::string link = " Error - Not filed: it is a symbolic link";
  EXPECT_EQ(view.logText(), "\r\na link.mp3" + link + "\r\nb lower.mp3\r\nC upper.mp3\r\nD folder link" + link +
                                "\r\ne dangling.mp3" + link + "\r\nf loop.mp3" + link);
  EXPECT_NE(view.summaryText().find(source + "/D folder link - Not filed: it is a symbolic link"), std::string::npos);
  for (const char* name : {"a link.mp3", "D folder link", "e dangling.mp3", "f loop.mp3"})
    EXPECT_TRUE(fs::is_symlink(source + "/" + name)) << name;
  const Verdict verdict = collection.check();
  EXPECT_TRUE(verdict.problems.empty()) << describe(verdict);
  EXPECT_EQ(verdict.atTarget, 2);
  EXPECT_EQ(verdict.rows, 2);
}

// A run files faster in write-ahead logging, but leaves the catalogue in the mode
// it found it in, with nothing beside it.
TEST(HostileLayout, TheCatalogueIsLeftAsItWasFound) {
  for (const char* mode : {"delete", "wal"}) {  // the only modes kept in the file
    SCOPED_TRACE(mode);
    Collection collection;
    collection.addSmallImport();
    support::RawDatabase(collection.catalogue()).rows(std::string("pragma journal_mode=") + mode);
    const std::string before = catalogueOnDisk(collection.catalogue());
    EXPECT_EQ(before, std::string(mode) == "wal" ? "format 2/2" : "format 1/1");
    FaultPlan plan;
    const support::RecordingRunView view = runImport(collection, plan);
    EXPECT_EQ(catalogueOnDisk(collection.catalogue()), before) << view.logText();
    EXPECT_EQ(support::RawDatabase(collection.catalogue()).rows("pragma journal_mode"),
              (std::vector<std::vector<std::string>>{{mode}}));
    const Verdict verdict = collection.check();
    EXPECT_TRUE(verdict.problems.empty()) << describe(verdict);
  }
}

}  // namespace
}  // namespace tests::proof
