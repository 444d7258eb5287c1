// The program run from a terminal with no display: `mervalis import ...`.
#include <gtest/gtest.h>

#include <QJsonDocument>
#include <QJsonObject>
#include <cstdlib>
#include <filesystem>
#include <sstream>

#include <tests/support/TemporaryFolder.h>
#include <tests/endtoend/MusicFolder.h>
#include <tests/endtoend/TreeSnapshot.h>

namespace {

namespace fs = std::filesystem;
using tests::endtoend::Tag;

struct Outcome {
  int status = -1;
  std::string out, err;
};

class CommandLineProgram : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string why;
    ASSERT_TRUE(tests::endtoend::registerLyrebox(why)) << why;
    for (const auto& path : {music, filed}) fs::create_directories(path);
    tests::endtoend::createCatalogue(catalogue.string());
  }
  void put(const std::string& name, const Tag* tag) {
    fs::create_directories((music / name).parent_path());
    tests::endtoend::writeMusicFile((music / name).string(), tag);
  }
  // Without a display and without Qt's platform chosen, as on a server.
  Outcome mervalis(const std::string& arguments, const std::string& registry = "") {
    const fs::path out = folder.path() / "out", err = folder.path() / "err";
    const std::string command =
        "env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM XDG_STATE_HOME='" + (folder.path() / "state").string() +
        "' AUTOMATION_REGISTRY='" + (registry.empty() ? this->registry.file().string() : registry) + "' '" +
        MERVALIS_PROGRAM + "' " + arguments + " >'" + out.string() + "' 2>'" + err.string() + "' </dev/null";
    const int status = std::system(command.c_str());
    return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, tests::endtoend::readWholeFile(out.string()),
            tests::endtoend::readWholeFile(err.string())};
  }
  std::string importArguments() const {
    return "import --catalogue '" + catalogue.string() + "' --source '" + music.string() + "' --dest '" +
           filed.string() + "'";
  }

  tests::support::RegistryInTemporaryFolder registry;
  tests::support::TemporaryFolder folder;
  // Everything a run may touch lies below `work`; the outputs lie beside it.
  fs::path work = folder.path() / "work";
  fs::path music = work / "music", filed = work / "filed", catalogue = work / "c.mdb";
};

const Tag kSong{"Song", "Band", "Record"};
const Tag kOther{"Other", "Band", "Record"};

TEST_F(CommandLineProgram, ExitStatusSaysWhetherEveryFileWasFiled) {
  put("a.mp3", &kSong);
  Outcome all = mervalis(importArguments());
  EXPECT_EQ(all.status, 0) << all.err;
  EXPECT_EQ(all.out, "a.mp3\n\n1 file filed, 0 left where they are\n");
  EXPECT_TRUE(fs::exists(filed / "Band/Record/Song.mp3"));
  EXPECT_EQ(tests::endtoend::catalogueRows(catalogue.string()).size(), 1u);

  put("b.mp3", nullptr);
  put("sub/c.mp3", &kOther);
  const Outcome some = mervalis(importArguments());
  EXPECT_EQ(some.status, 1) << some.err;
  EXPECT_EQ(some.out, "b.mp3 Error - No Title\nc.mp3\n\n" + (music / "b.mp3").string() +
                          " - No Title\n\n1 file filed, 1 left where it is\n");
  EXPECT_EQ(some.err, "");
}

// A run that finds no source has opened the catalogue already, as the window's does,
// so only the music and the rows are compared.
TEST_F(CommandLineProgram, WhatCannotStartSaysWhyOnStandardErrorAndMovesNothing) {
  put("a.mp3", &kSong);
  const auto before = tests::endtoend::snapshotOf(music);
  struct Case {
    std::string what, arguments, registry, error;
  } cases[] = {
      {"no catalogue",
       "import --catalogue /nowhere/c.mdb --source '" + music.string() + "' --dest '" + filed.string() + "'", "",
       "the file does not exist"},
      {"no source", "import --catalogue '" + catalogue.string() + "' --source /nowhere --dest '" + filed.string() + "'",
       "", "/nowhere"},
      {"a missing argument", "import --catalogue '" + catalogue.string() + "'", "", "usage: mervalis"},
      {"an unknown command", "export", "", "unknown command"},
      {"no registration", importArguments(), (folder.path() / "empty-registry").string(), "regsvr "},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    const Outcome outcome = mervalis(c.arguments, c.registry);
    EXPECT_EQ(outcome.status, 2);
    EXPECT_EQ(outcome.out, "");
    EXPECT_NE(outcome.err.find(c.error), std::string::npos) << outcome.err;
    EXPECT_TRUE(tests::endtoend::snapshotOf(music) == before) << "the music changed";
    EXPECT_TRUE(fs::is_empty(filed));
    EXPECT_TRUE(tests::endtoend::catalogueRows(catalogue.string()).empty());
  }
}

TEST_F(CommandLineProgram, ADryRunTellsWhatWouldHappenAndTouchesNothing) {
  put("a.mp3", &kSong);
  put("b.mp3", &kSong);
  put("c.mp3", nullptr);
  const auto before = tests::endtoend::snapshotOf(work);
  const Outcome outcome = mervalis(importArguments() + " --dry-run");
  EXPECT_EQ(outcome.status, 1) << outcome.err;
  EXPECT_EQ(outcome.out, "a.mp3 - Filed to \"Band/Record/Song.mp3\"\nb.mp3 - Not moved: \"" +
                             (filed / "Band/Record/Song.mp3").string() + "\" is taken by \"" +
                             (music / "a.mp3").string() +
                             "\"\nc.mp3 - No Title\n\n1 file will be filed, 2 left where they are\n");
  EXPECT_TRUE(tests::endtoend::snapshotOf(work) == before) << "the tree or the catalogue changed";
}

TEST_F(CommandLineProgram, JsonIsOneValidObjectPerFileAndTheTotals) {
  put("a \"quoted\" \xff name.mp3", &kSong);
  put("b.mp3", nullptr);
  for (const std::string extra : {" --json --dry-run", " --json"}) {
    SCOPED_TRACE(extra);
    const Outcome outcome = mervalis(importArguments() + extra);
    EXPECT_EQ(outcome.status, 1) << outcome.err;
    std::istringstream lines(outcome.out);
    std::vector<QJsonObject> objects;
    for (std::string line; std::getline(lines, line);) {
      QJsonParseError error;
      const auto document = QJsonDocument::fromJson(QByteArray::fromStdString(line), &error);
      ASSERT_EQ(error.error, QJsonParseError::NoError) << line;
      objects.push_back(document.object());
    }
    ASSERT_EQ(objects.size(), 3u);
    EXPECT_EQ(objects[1]["name"].toString(), "b.mp3");
    EXPECT_EQ(objects[1]["reason"].toString(), "No Title");
    EXPECT_TRUE(objects[2].contains(extra.find("dry") != std::string::npos ? "leave" : "left"));
  }
  EXPECT_TRUE(fs::exists(filed / "Band/Record/Song.mp3"));
}

TEST_F(CommandLineProgram, NewCatalogueMakesOneThatARunTakesAndNeverReplacesAFile) {
  const fs::path made = work / "My Music.mdb";
  const Outcome created = mervalis("new-catalogue '" + made.string() + "'");
  EXPECT_EQ(created.status, 0) << created.err;
  put("a.mp3", &kSong);
  const Outcome run = mervalis("import --catalogue '" + made.string() + "' --source '" + music.string() + "' --dest '" +
                               filed.string() + "'");
  EXPECT_EQ(run.status, 0) << run.err;

  const std::string before = tests::endtoend::readWholeFile(made.string());
  const Outcome again = mervalis("new-catalogue '" + made.string() + "'");
  EXPECT_EQ(again.status, 2);
  EXPECT_NE(again.err.find("never replaced"), std::string::npos) << again.err;
  EXPECT_EQ(tests::endtoend::readWholeFile(made.string()), before);
}

// A run, its line in the history, its undo, and an undo with nothing left to undo.
TEST_F(CommandLineProgram, HistoryListsARunAndUndoTakesItBack) {
  put("a.mp3", &kSong);
  put("sub/b.mp3", &kOther);
  put("c.mp3", nullptr);
  const auto before = tests::endtoend::snapshotOf(music);
  ASSERT_EQ(mervalis(importArguments()).status, 1);

  const Outcome listed = mervalis("history");
  EXPECT_EQ(listed.status, 0);
  std::istringstream lines(listed.out);
  std::string header, run;
  std::getline(lines, header);
  std::getline(lines, run);
  EXPECT_EQ(header, "RUN\tSTARTED\tFILED\tLEFT\tSTATE\tCATALOGUE\tSOURCE\tDESTINATION");
  EXPECT_NE(run.find("\t2\t1\tfinished\t" + catalogue.string() + "\t" + music.string() + "\t" + filed.string()),
            std::string::npos)
      << listed.out;

  const Outcome undone = mervalis("undo");
  EXPECT_EQ(undone.status, 0) << undone.err;
  EXPECT_NE(undone.out.find("2 files moved back, 0 left as they are"), std::string::npos) << undone.out;
  EXPECT_TRUE(tests::endtoend::catalogueRows(catalogue.string()).empty());
  // Names, bytes and times of the music as they were; the folders' own times moved.
  const auto after = tests::endtoend::snapshotOf(music);
  for (const auto& [path, state] : before) {
    if (!fs::is_directory(path)) {
      EXPECT_TRUE(after.count(path) && after.at(path) == state) << path;
    }
  }
  EXPECT_FALSE(fs::exists(filed / "Band"));
  EXPECT_NE(mervalis("history").out.find("\tfinished, undone\t"), std::string::npos);

  const Outcome again = mervalis("undo");
  EXPECT_EQ(again.status, 2);
  EXPECT_EQ(again.err, "mervalis: There is no run to undo.\n");
  const Outcome unknown = mervalis("undo 19990101-000000-0000001");
  EXPECT_EQ(unknown.status, 2);
  EXPECT_NE(unknown.err.find("Nothing was changed."), std::string::npos) << unknown.err;
}

}  // namespace
