#include <administrator/catalogue/SqliteCatalogue.h>
#include <tests/support/RawDatabase.h>
#include <platform/database/SqliteEngine.h>
#include <tests/support/TemporaryFolder.h>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

namespace {

using administrator::catalogue::SqliteCatalogue;
using platform::database::SqliteEngine;
using platform::status::Status;
using testing::HasSubstr;
using testing::StartsWith;
using namespace tests::support;
using Rows = std::vector<std::vector<std::string>>;

class SqliteCatalogueTest : public testing::Test {
 protected:
  // A catalogue made with the table statement kept beside the program.
  std::string newCatalogue(const std::string& name) {
    const std::string path = folder / name;
    EXPECT_EQ(RawDatabase(path).execute(readFile(CATALOGUE_TABLE_SQL)), SQLITE_OK);
    return path;
  }

  Rows rowsOf(const std::string& path) {
    return RawDatabase(path).rows("select Track, Artist, Album, FileName from MP3Info order by rowid");
  }

  TemporaryFolder folder;
  SqliteEngine engine;
  SqliteCatalogue catalogue{engine};
};

TEST_F(SqliteCatalogueTest, RefusesAtOpenWhatCannotTakeRowsAndChangesNothing) {
  writeFile(folder / "notes.mdb", std::string(300, 'n'));
  writeFile(folder / "empty.mdb", "");
  RawDatabase(folder / "other.mdb").execute("create table Songs (Track text)");
  RawDatabase(folder / "noalbum.mdb").execute("create table MP3Info (Track text, Artist text, FileName text)");

  struct Case {
    std::string path;
    std::string cause;
  };
  const Case cases[] = {
      {folder / "missing.mdb", "the file does not exist"},
      {folder.path().string() + "/", "it is not a file"},  // no catalogue chosen in the folder
      {folder / "notes.mdb", "the file is not a database"},
      {folder / "empty.mdb", "no such table: MP3Info"},
      {folder / "other.mdb", "no such table: MP3Info"},
      {folder / "noalbum.mdb", "table MP3Info has no column named Album"},
  };
  for (const auto& c : cases) {
    const std::string before = readFile(c.path);
    const Status opened = catalogue.open(c.path);
    EXPECT_EQ(opened.reason(), "Cannot open the catalogue \"" + c.path + "\": " + c.cause);
    EXPECT_EQ(readFile(c.path), before) << c.path << " must stay as it was";
    EXPECT_FALSE(catalogue.insert("t", "a", "b", "f")) << "nothing is open after " << c.path;
  }
  EXPECT_FALSE(std::filesystem::exists(folder / "missing.mdb"));
  EXPECT_FALSE(std::filesystem::exists(folder / "other.mdb-wal"));
}

TEST_F(SqliteCatalogueTest, KeepsCommittedRowsExactlyAndDropsRolledBackOnes) {
  const std::string path = newCatalogue("music.mdb");
  ASSERT_TRUE(catalogue.open(path));
  EXPECT_EQ(catalogue.journalMode(), "wal");

  const std::vector<std::string> kept = {"Say \"Hi\", [Live]", "O'Brien & Sons", "(Best, of)",
                                         "/music/O'Brien & Sons/(Best, of)/Say \"Hi\", [Live].mp3"};
  ASSERT_TRUE(catalogue.begin());
  ASSERT_TRUE(catalogue.insert("Rolled", "Back", "Row", "/music/r.mp3"));
  ASSERT_TRUE(catalogue.rollback());
  ASSERT_TRUE(catalogue.begin());
  ASSERT_TRUE(catalogue.insert(kept[0], kept[1], kept[2], kept[3]));
  ASSERT_TRUE(catalogue.commit());
  ASSERT_TRUE(catalogue.begin());
  ASSERT_TRUE(catalogue.insert("Open", "At", "Close", "/music/o.mp3"));
  catalogue.close();

  EXPECT_EQ(rowsOf(path), Rows{kept});
  EXPECT_FALSE(catalogue.begin()) << "closed";
}

TEST_F(SqliteCatalogueTest, AcceptsCataloguesWithFurtherColumns) {
  const std::string path = folder / "keyed.mdb";
  RawDatabase(path).execute(
      "create table MP3Info (ID integer primary key, Track text, Artist text, Album text, "
      "FileName text, Added text default 'today')");
  ASSERT_TRUE(catalogue.open(path));
  ASSERT_TRUE(catalogue.begin());
  ASSERT_TRUE(catalogue.insert("T", "A", "B", "/m/A/B/T.mp3"));
  ASSERT_TRUE(catalogue.commit());
  EXPECT_EQ(RawDatabase(path).rows("select ID, Added from MP3Info"), (Rows{{"1", "today"}}));
}

TEST_F(SqliteCatalogueTest, OpeningAnotherCatalogueLeavesTheFirstClosed) {
  const std::string first = newCatalogue("first.mdb");
  const std::string second = newCatalogue("second.mdb");
  ASSERT_TRUE(catalogue.open(first));
  ASSERT_TRUE(catalogue.begin());
  ASSERT_TRUE(catalogue.insert("Never", "Committed", "Here", "/x.mp3"));
  ASSERT_TRUE(catalogue.open(second));
  ASSERT_TRUE(catalogue.begin()) << "the first catalogue's lock is gone";
  ASSERT_TRUE(catalogue.insert("T", "A", "B", "/y.mp3"));
  ASSERT_TRUE(catalogue.commit());
  EXPECT_TRUE(rowsOf(first).empty());
  EXPECT_EQ(rowsOf(second), (Rows{{"T", "A", "B", "/y.mp3"}}));
}

TEST_F(SqliteCatalogueTest, TheBuildsEmptyCatalogueIsReadyForAFirstRun) {
  const std::string copy = folder / "Catalogue.mdb";
  std::filesystem::copy_file(EMPTY_CATALOGUE, copy);
  ASSERT_TRUE(catalogue.open(copy));
  EXPECT_TRUE(rowsOf(copy).empty());
}

// The preview asks whether a run could use a catalogue: the answer must leave the
// catalogue and its folder as they were, also in write-ahead logging, where any
// ordinary open makes -wal and -shm files beside it.
TEST_F(SqliteCatalogueTest, CheckingACatalogueLeavesItAndItsFolderAsTheyWere) {
  for (const char* mode : {"delete", "wal"}) {
    SCOPED_TRACE(mode);
    const std::string path = newCatalogue(std::string(mode) + " what?#%.mdb");
    RawDatabase(path).rows(std::string("pragma journal_mode=") + mode);
    auto listing = [&] {
      std::vector<std::string> names;
      for (const auto& entry : std::filesystem::directory_iterator(folder.path()))
        names.push_back(entry.path().filename().string());
      std::sort(names.begin(), names.end());
      return names;
    };
    const auto namesBefore = listing();
    const auto folderTime = std::filesystem::last_write_time(folder.path());
    const std::string bytes = readFile(path);
    EXPECT_TRUE(SqliteCatalogue::check(engine, path)) << SqliteCatalogue::check(engine, path).reason();
    EXPECT_EQ(listing(), namesBefore);
    EXPECT_EQ(std::filesystem::last_write_time(folder.path()), folderTime);
    EXPECT_EQ(readFile(path), bytes);
  }
  const std::string notACatalogue = folder / "other.mdb";
  EXPECT_EQ(RawDatabase(notACatalogue).execute("create table Other (x)"), SQLITE_OK);
  EXPECT_THAT(SqliteCatalogue::check(engine, notACatalogue).reason(), HasSubstr("MP3Info"));
}

}  // namespace
