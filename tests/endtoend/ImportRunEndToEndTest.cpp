// The import run as the program drives it: the registered Lyrebox.ocx read
// late-bound, real folders, a real catalogue file and the recovery journal.
#include <administrator/catalogue/SqliteCatalogue.h>
#include <platform/database/SqliteEngine.h>
#include <gtest/gtest.h>

#include <filesystem>

#include <tests/endtoend/RealRun.h>

using namespace administrator::catalogue;

namespace {

using tests::support::RecordingRunView;

namespace fs = std::filesystem;
using tests::endtoend::CatalogueRow;
using tests::endtoend::Tag;

std::u16string u16(const std::string& utf8) { return fs::path(utf8).u16string(); }

class ImportRunEndToEnd : public tests::endtoend::RealRun {
 protected:
  void SetUp() override {
    RealRun::SetUp();
    fs::create_directories(source);
    fs::create_directories(destination);
  }

  void put(const fs::path& path, const Tag& tag) { write(path, &tag); }
  void putUntagged(const fs::path& path) { write(path, nullptr); }

  RecordingRunView run(const fs::path& root) {
    RecordingRunView view;
    RealRun::run(source, root, view);
    EXPECT_EQ(view.summaries.size(), 1u);
    return view;
  }
  RecordingRunView run() { return run(destination); }

  // The file written as `from` now lies at `to`, byte for byte, and no longer at `from`.
  void expectMoved(const fs::path& from, const fs::path& to) {
    EXPECT_FALSE(fs::exists(from)) << from;
    EXPECT_EQ(tests::endtoend::readWholeFile(to), contents.at(from)) << to;
  }
  void expectStays(const fs::path& path) { EXPECT_EQ(tests::endtoend::readWholeFile(path), contents.at(path)) << path; }
  std::vector<CatalogueRow> rows() const { return tests::endtoend::catalogueRows(catalogue.string()); }

  const fs::path source = folder / "source";
  const fs::path destination = folder / "filed";
};

TEST_F(ImportRunEndToEnd, FilesTheTaggedFileAndReportsTheUntaggedOne) {
  put(source / "a.mp3", {"Song A", "The Band", "First Record"});
  putUntagged(source / "b.mp3");

  const RecordingRunView view = run();

  EXPECT_EQ(view.log, u"\r\na.mp3\r\nb.mp3 Error - No Title");
  EXPECT_EQ(view.summary(), u"\r\n" + u16(source.string()) + u"/b.mp3 - No Title");
  const fs::path target = destination / "The Band" / "First Record" / "Song A.mp3";
  expectMoved(source / "a.mp3", target);
  expectStays(source / "b.mp3");
  EXPECT_EQ(rows(), (std::vector<CatalogueRow>{{"Song A", "The Band", "First Record", target.string()}}));
}

// Each field as the component reads it leaves its file when empty; which of several
// empty fields is named is the run's rule, whose cases lie with the fakes.
TEST_F(ImportRunEndToEnd, AnEmptyTitleAlbumOrArtistLeavesTheFileAndIsNamed) {
  struct Case {
    const char* name;
    Tag tag;
    std::u16string_view reason;
  };
  const Case cases[] = {
      {"1.mp3", {"", "Artist", "Album"}, u"No Title"},
      {"2.mp3", {"Title", "Artist", ""}, u"No Album"},
      {"3.mp3", {"Title", "", "Album"}, u"No Artist"},
  };
  std::u16string expectedLog, expectedSummary;
  for (const auto& c : cases) {
    put(source / c.name, c.tag);
    const std::u16string name = u16(c.name);
    expectedLog += u"\r\n" + name + u" Error - " + std::u16string(c.reason);
    expectedSummary += u"\r\n" + u16((source / c.name).string()) + u" - " + std::u16string(c.reason);
  }

  const RecordingRunView view = run();

  EXPECT_EQ(view.log, expectedLog);
  EXPECT_EQ(view.summary(), expectedSummary);
  for (const auto& c : cases) expectStays(source / c.name);
  EXPECT_TRUE(rows().empty());
  EXPECT_TRUE(fs::is_empty(destination));
}

TEST_F(ImportRunEndToEnd, VisitsTheSourceFilesFirstThenOneLevelBelowAndNoDeeper) {
  put(source / "z.mp3", {"Zed", "Artist", "Album"});
  put(source / "sub" / "a.mp3", {"Ay", "Artist", "Album"});
  put(source / "sub" / "deeper" / "d.mp3", {"Dee", "Artist", "Album"});

  const RecordingRunView view = run();

  EXPECT_EQ(view.log, u"\r\nz.mp3\r\na.mp3");
  EXPECT_EQ(view.summary(), u"");
  const fs::path album = destination / "Artist" / "Album";
  expectMoved(source / "z.mp3", album / "Zed.mp3");
  expectMoved(source / "sub" / "a.mp3", album / "Ay.mp3");
  expectStays(source / "sub" / "deeper" / "d.mp3");
  EXPECT_EQ(rows(), (std::vector<CatalogueRow>{{"Zed", "Artist", "Album", (album / "Zed.mp3").string()},
                                               {"Ay", "Artist", "Album", (album / "Ay.mp3").string()}}));
}

TEST_F(ImportRunEndToEnd, AnyFileWithAValidTagIsFiledAsTitleDotMp3) {
  put(source / "notes.txt", {"Memo", "Writer", "Drafts"});
  const RecordingRunView view = run();
  EXPECT_EQ(view.log, u"\r\nnotes.txt");
  const fs::path target = destination / "Writer" / "Drafts" / "Memo.mp3";
  expectMoved(source / "notes.txt", target);
  EXPECT_EQ(rows(), (std::vector<CatalogueRow>{{"Memo", "Writer", "Drafts", target.string()}}));
}

TEST_F(ImportRunEndToEnd, ExistingArtistAndAlbumFoldersAreUsedAsTheyAre) {
  put(destination / "Known" / "Old Album" / "kept.mp3", {"Kept", "Known", "Old Album"});
  put(source / "a.mp3", {"Again", "Known", "Old Album"});
  put(source / "b.mp3", {"Fresh", "Known", "New Album"});

  const RecordingRunView view = run();

  EXPECT_EQ(view.summary(), u"");
  expectStays(destination / "Known" / "Old Album" / "kept.mp3");
  expectMoved(source / "a.mp3", destination / "Known" / "Old Album" / "Again.mp3");
  expectMoved(source / "b.mp3", destination / "Known" / "New Album" / "Fresh.mp3");
  EXPECT_EQ(rows().size(), 2u);
}

TEST_F(ImportRunEndToEnd, DestinationRootMayBeTheSourceFolder) {
  put(source / "a.mp3", {"Song", "Band", "Record"});
  put(source / "b.mp3", {"Other", "Band", "Record"});

  // The folders the run makes inside the source were not there when it listed it.
  const RecordingRunView view = run(source);

  EXPECT_EQ(view.log, u"\r\na.mp3\r\nb.mp3");
  EXPECT_EQ(view.summary(), u"");
  expectMoved(source / "a.mp3", source / "Band" / "Record" / "Song.mp3");
  expectMoved(source / "b.mp3", source / "Band" / "Record" / "Other.mp3");
  EXPECT_EQ(rows().size(), 2u);
}

TEST_F(ImportRunEndToEnd, AwkwardTagsAreFiledInsideTheRootUnderSafeNamesAndCataloguedExactly) {
  struct Case {
    const char* name;
    Tag tag;
    const char* filedAs;  // artist/album/title.mp3 below the destination root
  };
  const Case cases[] = {
      {"1.mp3", {"Say \"Hi\"", "O'Brien", "Live, Loud (Deluxe) [2]"}, "O'Brien/Live, Loud (Deluxe) [2]/Say _Hi_.mp3"},
      {"2.mp3", {"AC/DC", "..", ".hidden"}, "__/_hidden/AC_DC.mp3"},
      {"3.mp3", {"../../escape", "a/../b", "x"}, "a_.._b/x/_._.._escape.mp3"},
      {"4.mp3", {".", "Dot.", "Fin."}, "Dot_/Fin_/_.mp3"},
      {"5.mp3",
       {"It's; drop table MP3Info; --", "Q\"uote", "{curly} <angle>"},
       "Q_uote/{curly} _angle_/It's; drop table MP3Info; --.mp3"},
  };
  std::vector<CatalogueRow> expectedRows;
  for (const auto& c : cases) {
    put(source / c.name, c.tag);
    expectedRows.push_back({c.tag.title, c.tag.artist, c.tag.album, (destination / c.filedAs).string()});
  }

  const RecordingRunView view = run();

  EXPECT_EQ(view.summary(), u"");
  for (const auto& c : cases) expectMoved(source / c.name, destination / c.filedAs);
  EXPECT_EQ(rows(), expectedRows);
  // Nothing escaped the root: beside the source, the root and the catalogue's own files only.
  for (const auto& entry : fs::directory_iterator(folder.path())) {
    const std::string name = entry.path().filename().string();
    EXPECT_TRUE(name == "source" || name == "filed" || name.starts_with("Catalogue.mdb")) << name;
  }
}

TEST_F(ImportRunEndToEnd, AHiddenFileIsTreatedAsHavingNoTitle) {
  put(source / ".secret.mp3", {"Secret", "Artist", "Album"});
  put(source / "shown.mp3", {"Shown", "Artist", "Album"});

  const RecordingRunView view = run();

  EXPECT_EQ(view.log, u"\r\n.secret.mp3 Error - No Title\r\nshown.mp3");
  EXPECT_EQ(view.summary(), u"\r\n" + u16((source / ".secret.mp3").string()) + u" - No Title");
  expectStays(source / ".secret.mp3");
  expectMoved(source / "shown.mp3", destination / "Artist" / "Album" / "Shown.mp3");
  EXPECT_EQ(rows().size(), 1u);
}

}  // namespace
