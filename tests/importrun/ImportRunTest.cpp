#include <gtest/gtest.h>

#include <tests/importrun/RunFakes.h>

namespace tests::importrun {
namespace {

std::u16string toUtf16(const std::string& ascii) { return std::u16string(ascii.begin(), ascii.end()); }

class ImportRunTest : public ::testing::Test, protected FakeRun {
 protected:
  administrator::importrun::RunInputs inputs{"/db/Catalogue.mdb", "/src", "/dest"};

  void SetUp() override { files.folders = {"/src", "/dest", "/db"}; }
  void tagged(const std::string& path, FakeTag tag) {
    files.addFile(path, path);
    tags.tags[std::u16string(path.begin(), path.end())] = std::move(tag);
  }
  const std::u16string& summary() const { return view.summaries.at(0); }
};

TEST_F(ImportRunTest, FilesATaggedFileAndRejectsAnUntaggedOne) {
  tagged("/src/a.mp3", {u"Song", u"Album", u"Artist"});
  files.addFile("/src/b.mp3");
  run(inputs);

  EXPECT_EQ(view.log, u"\r\na.mp3\r\nb.mp3 Error - No Title");
  ASSERT_EQ(view.summaries.size(), 1u);
  EXPECT_EQ(summary(), u"\r\n/src/b.mp3 - No Title");
  EXPECT_EQ(files.files.count("/dest/Artist/Album/Song.mp3"), 1u);
  EXPECT_EQ(files.files.count("/src/a.mp3"), 0u);
  EXPECT_EQ(catalogue.rows, (std::vector<Row>{{"Song", "Artist", "Album", "/dest/Artist/Album/Song.mp3"}}));
  EXPECT_EQ(catalogue.opens, 1);
  EXPECT_EQ(catalogue.closes, 1);
}

TEST_F(ImportRunTest, FirstEmptyFieldInTitleAlbumArtistOrderDecides) {
  struct Case {
    FakeTag tag;
    std::u16string log, summary;
  } cases[] = {
      {{u"", u"", u""}, u" Error - No Title", u" - No Title"},
      {{u"", u"Al", u"Ar"}, u" Error - No Title", u" - No Title"},
      {{u"T", u"", u"Ar"}, u" Error - No Album", u" - No Album"},
      {{u"T", u"Al", u""}, u" Error - No Artist", u" - No Artist"},
      {{u"T", u"", u""}, u" Error - No Album", u" - No Album"},
  };
  for (const auto& c : cases) {
    FakeRun fake;
    auto& [reader, disk, cat, v] = fake;
    disk.folders = {"/src", "/dest"};
    disk.addFile("/src/x.mp3");
    reader.tags[u"/src/x.mp3"] = c.tag;
    fake.run(inputs);
    EXPECT_EQ(v.log, u"\r\nx.mp3" + c.log);
    EXPECT_EQ(v.summaries.at(0), u"\r\n/src/x.mp3" + c.summary);
    EXPECT_TRUE(cat.rows.empty());
    EXPECT_EQ(disk.files.count("/src/x.mp3"), 1u);
  }
}

TEST_F(ImportRunTest, VisitsSourceFilesFirstThenOneLevelBelowOnly) {
  files.folders.insert({"/src/sub", "/src/sub/deeper"});
  files.addFile("/src/sub/s.mp3");
  files.addFile("/src/sub/deeper/d.mp3");
  files.addFile("/src/z.mp3");
  run(inputs);
  EXPECT_EQ(view.log, u"\r\nz.mp3 Error - No Title\r\ns.mp3 Error - No Title");
  EXPECT_EQ(summary(), u"\r\n/src/z.mp3 - No Title\r\n/src/sub/s.mp3 - No Title");
}

TEST_F(ImportRunTest, DestinationEqualToSourceNeverRevisitsFiledFiles) {
  inputs.destinationRoot = "/src";
  tagged("/src/a.mp3", {u"Song", u"Album", u"Artist"});
  run(inputs);
  EXPECT_EQ(view.log, u"\r\na.mp3");
  EXPECT_EQ(files.files.count("/src/Artist/Album/Song.mp3"), 1u);
  EXPECT_EQ(tags.loads.size(), 1u);
}

TEST_F(ImportRunTest, ExistingFoldersAreUsedAndRootSeparatorStaysDoubled) {
  inputs.destinationRoot = "/";
  files.folders.insert({"/", "/Artist"});
  tagged("/src/a.mp3", {u"Song", u"Album", u"Artist"});
  run(inputs);
  EXPECT_EQ(catalogue.rows.at(0).fileName, "//Artist/Album/Song.mp3");
  EXPECT_EQ(files.files.count("/Artist/Album/Song.mp3"), 1u);
}

// The run remembers the folders it has made; one taken away by another program
// after the first file of an album is made again for the next.
TEST_F(ImportRunTest, AnAlbumFolderRemovedDuringTheRunIsMadeAgain) {
  tagged("/src/a.mp3", {u"A", u"Album", u"Artist"});
  tagged("/src/b.mp3", {u"B", u"Album", u"Artist"});
  tags.onLoad = [this](const std::u16string& path) {
    if (path != u"/src/b.mp3") return;
    files.folders.erase("/dest/Artist/Album");
    files.files.erase("/dest/Artist/Album/A.mp3");
  };
  const administrator::importrun::RunResult result = run(inputs);

  EXPECT_EQ(result.filed, 2u);
  EXPECT_EQ(view.summaries.at(0), u"");
  EXPECT_EQ(files.files.count("/dest/Artist/Album/B.mp3"), 1u);
  EXPECT_EQ(files.files.count("/src/b.mp3"), 0u);
}

TEST_F(ImportRunTest, AFileTheReaderDidNotTakeIsNotJudgedByThePreviousTag) {
  tagged("/src/a.mp3", {u"Song", u"Album", u"Artist"});
  files.addFile("/src/b.mp3");
  tags.unloadable.insert(u"/src/b.mp3");
  run(inputs);
  EXPECT_EQ(view.log, u"\r\na.mp3\r\nb.mp3 Error - No Title");
  EXPECT_EQ(catalogue.rows.size(), 1u);
  EXPECT_EQ(files.files.count("/src/b.mp3"), 1u);
}

TEST_F(ImportRunTest, TagTextCannotLeaveTheDestinationRoot) {
  tagged("/src/a.mp3", {u"../x", u"..", u".hidden/b"});
  run(inputs);
  const std::string expected = "/dest/_hidden_b/__/_._x.mp3";
  ASSERT_EQ(catalogue.rows.size(), 1u);
  EXPECT_EQ(catalogue.rows[0].fileName, expected);
  EXPECT_EQ(catalogue.rows[0].track, "../x");
  EXPECT_EQ(files.files.count(expected), 1u);
}

TEST_F(ImportRunTest, EveryFailureOfAFileLeavesItInPlaceWithoutARow) {
  struct Case {
    const char* what;
    std::function<void(FakeFiles&, FakeCatalogue&)> breakIt;
    std::u16string reason;
  } cases[] = {
      {"insert", [](FakeFiles&, FakeCatalogue& c) { c.failInsert = true; }, u"Cannot insert the row: disk I/O error"},
      {"artist folder", [](FakeFiles& f, FakeCatalogue&) { f.failCreate = "/dest/Ar"; },
       u"Cannot create /dest/Ar: permission denied"},
      {"move", [](FakeFiles& f, FakeCatalogue&) { f.failMove = "/dest/Ar/Al/T.mp3"; },
       u"Cannot move /src/x.mp3 to /dest/Ar/Al/T.mp3: input/output error"},
      {"target exists",
       [](FakeFiles& f, FakeCatalogue&) {
         f.folders.insert({"/dest/Ar", "/dest/Ar/Al"});
         f.addFile("/dest/Ar/Al/T.mp3", "older");
       },
       u"Not moved: \"/dest/Ar/Al/T.mp3\" already exists"},
      {"commit", [](FakeFiles&, FakeCatalogue& c) { c.failCommit = true; }, u"Cannot commit: database is locked"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    FakeRun fake;
    auto& [reader, disk, cat, v] = fake;
    disk.folders = {"/src", "/dest"};
    disk.addFile("/src/x.mp3", "music");
    reader.tags[u"/src/x.mp3"] = {u"T", u"Al", u"Ar"};
    c.breakIt(disk, cat);
    const auto before = disk.files.count("/dest/Ar/Al/T.mp3") ? disk.files["/dest/Ar/Al/T.mp3"] : "";
    fake.run(inputs);
    EXPECT_EQ(disk.files["/src/x.mp3"], "music");
    EXPECT_TRUE(cat.rows.empty());
    EXPECT_EQ(disk.files.count("/dest/Ar/Al/T.mp3") ? disk.files["/dest/Ar/Al/T.mp3"] : "", before);
    EXPECT_EQ(v.log, u"\r\nx.mp3 Error - " + c.reason);
    EXPECT_EQ(v.summaries.at(0), u"\r\n/src/x.mp3 - " + c.reason);
  }
}

TEST_F(ImportRunTest, TheRunGoesOnAfterAFailedFile) {
  tagged("/src/a.mp3", {u"Same", u"Album", u"Artist"});
  tagged("/src/b.mp3", {u"Same", u"Album", u"Artist"});
  tagged("/src/c.mp3", {u"Other", u"Album", u"Artist"});
  run(inputs);
  EXPECT_EQ(catalogue.rows.size(), 2u);
  EXPECT_EQ(files.files.count("/src/b.mp3"), 1u);
  EXPECT_EQ(files.files.count("/dest/Artist/Album/Other.mp3"), 1u);
  EXPECT_NE(view.log.find(u"b.mp3 Error - Not moved: \"/dest/Artist/Album/Same.mp3\" is taken by \"/src/a.mp3\""),
            std::u16string::npos);
}

// A file that could not be filed leaves its target to the next file that wants it,
// and a target that was there before the run is named as such.
TEST_F(ImportRunTest, ATargetIsTakenOnlyByAFileActuallyFiledThere) {
  tagged("/src/a.mp3", {u"Same", u"Album", u"Artist"});
  tagged("/src/b.mp3", {u"Same", u"Album", u"Artist"});
  tagged("/src/c.mp3", {u"Old", u"Album", u"Artist"});
  files.folders.insert({"/dest/Artist", "/dest/Artist/Album"});
  files.addFile("/dest/Artist/Album/Old.mp3", "filed before");
  files.failMoveFrom = "/src/a.mp3";
  run(inputs);
  EXPECT_EQ(files.files.count("/src/a.mp3"), 1u);
  EXPECT_EQ(files.files["/dest/Artist/Album/Same.mp3"], "/src/b.mp3");
  EXPECT_EQ(files.files["/dest/Artist/Album/Old.mp3"], "filed before");
  EXPECT_EQ(catalogue.rows, (std::vector<Row>{{"Same", "Artist", "Album", "/dest/Artist/Album/Same.mp3"}}));
  EXPECT_NE(summary().find(u"/src/c.mp3 - Not moved: \"/dest/Artist/Album/Old.mp3\" already exists"),
            std::u16string::npos);
}

// Waiting for the lock once per file would stall a large run for hours.
TEST_F(ImportRunTest, AnotherProgramWritingMidRunStopsItAfterTheFileInHand) {
  struct Case {
    std::string busyAt;
    std::u16string reason;
  } cases[] = {
      {"begin", u"Cannot begin a change: it is locked by another program"},
      {"insert", u"Cannot insert the row: it is locked by another program"},
      {"commit", u"Cannot commit: it is locked by another program"},  // after the move: moved back
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.busyAt);
    FakeRun fake;
    auto& [reader, disk, cat, v] = fake;
    disk.folders = {"/src", "/src/sub", "/dest"};
    for (const std::string name : {"a", "b", "c", "sub/d"}) {
      const std::string path = "/src/" + name + ".mp3";
      disk.addFile(path, path);
      reader.tags[std::u16string(path.begin(), path.end())] = {std::u16string(name.begin(), name.end()), u"Al", u"Ar"};
    }
    cat.busyFromBegin = 2;
    cat.busyAt = c.busyAt;
    fake.run(inputs);

    EXPECT_EQ(reader.loads, (std::vector<std::u16string>{u"/src/a.mp3", u"/src/b.mp3"}));
    EXPECT_EQ(cat.rows, (std::vector<Row>{{"a", "Ar", "Al", "/dest/Ar/Al/a.mp3"}}));
    for (const std::string left : {"/src/b.mp3", "/src/c.mp3", "/src/sub/d.mp3"}) EXPECT_EQ(disk.files[left], left);
    const std::u16string stop =
        u"Stopped after \"/src/b.mp3\": another program is writing to the catalogue \"/db/Catalogue.mdb\". The files "
        u"after it were left where they are; run again when it has finished.";
    EXPECT_EQ(v.log, u"\r\na.mp3\r\nb.mp3 Error - " + c.reason + u"\r\n" + stop);
    ASSERT_EQ(v.summaries.size(), 1u);
    EXPECT_EQ(v.summaries[0], u"\r\n/src/b.mp3 - " + c.reason + u"\r\n" + stop);
    EXPECT_EQ(cat.closes, 1);
  }
}

TEST_F(ImportRunTest, ACatalogueThatCannotBeOpenedStopsBeforeAnyFile) {
  struct Case {
    std::string path;
    bool failOpen;
    std::u16string reason;
  } cases[] = {
      {"/db/", false, u"no catalogue file is selected"},
      {"/db/Broken.mdb", true, u"file is not a database"},
  };
  for (const auto& c : cases) {
    FakeRun fake;
    auto& [reader, disk, cat, v] = fake;
    disk.folders = {"/src", "/dest"};
    disk.addFile("/src/x.mp3");
    cat.failOpen = c.failOpen;
    fake.run({c.path, "/src", "/dest"});
    EXPECT_TRUE(reader.loads.empty());
    ASSERT_EQ(v.summaries.size(), 1u);
    const std::u16string path(c.path.begin(), c.path.end());
    EXPECT_NE(v.summaries[0].find(path), std::u16string::npos);
    EXPECT_NE(v.summaries[0].find(c.reason), std::u16string::npos);
    EXPECT_NE(v.log.find(c.reason), std::u16string::npos);
  }
}

// What the run leaves where it is without asking the reader, and what it says.
TEST_F(ImportRunTest, TheCatalogueAndEveryFileOfItStayWhereTheyAre) {
  inputs.cataloguePath = "/src/Catalogue.mdb";
  const FakeTag lookslikeATag{u"Song", u"Album", u"Artist"};
  for (const char* path : {"/src/Catalogue.mdb", "/src/Catalogue.mdb-wal", "/src/Catalogue.mdb-shm",
                           "/src/Catalogue.mdb-journal", "/src/Catalogue.mdb.journal", "/src/copy.mp3"})
    tagged(path, lookslikeATag);
  files.hardLinks["/src/copy.mp3"] = "/src/Catalogue.mdb";  // another name of the catalogue
  run(inputs);
  EXPECT_TRUE(tags.loads.empty());
  EXPECT_TRUE(catalogue.rows.empty());
  EXPECT_EQ(files.files.size(), 6u);
  for (const char* name : {"Catalogue.mdb", "Catalogue.mdb-wal", "copy.mp3"}) {
    const std::u16string reason = u" - Not filed: it belongs to the catalogue this run files into";
    EXPECT_NE(view.log.find(u"\r\n" + toUtf16(name) + u" Error" + reason), std::u16string::npos) << name;
    EXPECT_NE(summary().find(u"\r\n/src/" + toUtf16(name) + reason), std::u16string::npos) << name;
  }
}

// Identities are looked at only in the catalogue's own folder unless the catalogue
// has another name; a folder below the source can be that folder.
TEST_F(ImportRunTest, TheCatalogueInAFolderBelowTheSourceStaysToo) {
  inputs.cataloguePath = "/src/sub/Catalogue.mdb";
  files.folders.insert("/src/sub");
  tagged("/src/sub/Catalogue.mdb", {u"Song", u"Album", u"Artist"});
  tagged("/src/a.mp3", {u"Other", u"Album", u"Artist"});
  run(inputs);
  EXPECT_EQ(files.files.count("/src/sub/Catalogue.mdb"), 1u);
  EXPECT_EQ(view.log, u"\r\na.mp3\r\nCatalogue.mdb Error - Not filed: it belongs to the catalogue this run files into");
}

TEST_F(ImportRunTest, AFileThatCannotBeReadIsNotCalledUntagged) {
  files.addFile("/src/locked.mp3");
  files.unreadable.insert("/src/locked.mp3");
  files.addFile("/src/plain.mp3");
  run(inputs);
  const std::u16string reason = u"Not filed: it cannot be read (Permission denied)";
  EXPECT_EQ(view.log, u"\r\nlocked.mp3 Error - " + reason + u"\r\nplain.mp3 Error - No Title");
  EXPECT_EQ(summary(), u"\r\n/src/locked.mp3 - " + reason + u"\r\n/src/plain.mp3 - No Title");
}

TEST_F(ImportRunTest, AFileFiledIntoAFolderVisitedLaterIsNotMetAgain) {
  inputs = {"/db/Catalogue.mdb", "/music/src", "/music"};
  files.folders = {"/music", "/music/src", "/music/src/sub", "/db"};
  tagged("/music/src/a.mp3", {u"Song", u"sub", u"src"});
  run(inputs);
  EXPECT_EQ(view.log, u"\r\na.mp3");
  EXPECT_EQ(summary(), u"");
  EXPECT_EQ(files.files.count("/music/src/sub/Song.mp3"), 1u);
}

TEST_F(ImportRunTest, AnEmptySourceFolderStillOpensClosesAndShowsAnEmptyMessage) {
  run(inputs);
  EXPECT_EQ(view.log, u"");
  EXPECT_EQ(view.summaries, std::vector<std::u16string>{u""});
  EXPECT_EQ(catalogue.opens, 1);
  EXPECT_EQ(catalogue.closes, 1);
}

}  // namespace
}  // namespace tests::importrun
