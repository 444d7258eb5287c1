#include <gtest/gtest.h>

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <iostream>
#include <filesystem>
#include <map>
#include <memory>
#include <random>
#include <thread>

#include <administrator/undo/UndoRun.h>

#include <tests/proof/ProofRun.h>

using namespace tests::support;

namespace tests::proof {
namespace {

using Moves = platform::filesystem::PosixFileSystem::Moves;

struct Undone {
  support::RecordingRunView view;
  administrator::undo::UndoResult result;
};

Undone undoRun(const Collection& collection, FaultPlan& plan, Moves moves = Moves::RenameWherePossible,
               const std::string& runId = {}) {
  DiskFillingFileSystem disk(moves, plan);
  CountingFileSystem files(disk, plan);
  platform::database::SqliteEngine engine;
  administrator::catalogue::SqliteCatalogue sqlite(engine);
  CountingCatalogue catalogue(sqlite, plan);
  Undone undone;
  undone.result = administrator::undo::UndoRun(files, catalogue, undone.view,
                                               administrator::runrecord::RunRecordFolder(collection.runRecords()))
                      .undo(runId);
  return undone;
}

// Names and a checksum of the bytes of every file below a folder, and its folders.
std::map<std::string, std::string> treeOf(const std::string& folder) {
  std::map<std::string, std::string> tree;
  for (const auto& entry : std::filesystem::recursive_directory_iterator(folder))
    tree[entry.path().string()] =
        entry.is_directory() ? "folder" : std::to_string(std::hash<std::string>{}(readFile(entry.path().string())));
  return tree;
}

struct Before {
  explicit Before(const Collection& collection)
      : source(treeOf(collection.source())),
        destination(treeOf(collection.destination())),
        rows(support::RawDatabase(collection.catalogue()).rows("select * from MP3Info")) {}
  std::map<std::string, std::string> source, destination;
  std::vector<std::vector<std::string>> rows;

  void expectRestored(const Collection& collection) const {
    EXPECT_EQ(treeOf(collection.source()), source);
    EXPECT_EQ(treeOf(collection.destination()), destination);
    EXPECT_EQ(support::RawDatabase(collection.catalogue()).rows("select * from MP3Info"), rows);
  }
};

class UndoAfterARun : public ::testing::TestWithParam<Moves> {};

TEST_P(UndoAfterARun, PutsTheTreeAndTheCatalogueBackAndASecondUndoChangesNothing) {
  Collection collection;
  collection.addSmallImport();
  const Before before(collection);
  FaultPlan plan;
  runImport(collection, plan, RunSettings(GetParam()));
  const int filed = collection.check().atTarget;
  ASSERT_GT(filed, 3);

  const Undone first = undoRun(collection, plan, GetParam());
  EXPECT_TRUE(first.result.started);
  EXPECT_EQ(first.result.undone, static_cast<std::size_t>(filed)) << first.view.logText();
  EXPECT_EQ(first.result.kept, 0u);
  before.expectRestored(collection);
  EXPECT_EQ(catalogueOnDisk(collection.catalogue()), "format 1/1");

  EXPECT_FALSE(undoRun(collection, plan, GetParam()).result.started);  // no run left to undo
  const Undone again = undoRun(collection, plan, GetParam(), first.result.runId);
  EXPECT_EQ(again.result.undone + again.result.kept, 0u) << again.view.logText();
  before.expectRestored(collection);
}

INSTANTIATE_TEST_SUITE_P(ByRenameAndByCopy, UndoAfterARun,
                         ::testing::Values(Moves::RenameWherePossible, Moves::AlwaysCopy));

// A person changed one filed file, its row or its old place after the run: that
// file stays as it is, with the reason, and everything else is undone.
TEST(Undo, WhatChangedSinceTheRunIsLeftAndTheRestUndone) {
  const Tag song{"Song A", "Artist 1", "Album 1"};
  struct Case {
    std::string name;
    std::function<void(const Collection&, const std::string& target)> change;
    std::string reason;
  } cases[] = {
      {"moved away",
       [](const Collection& c, const std::string& target) {
         std::filesystem::rename(target, c.root() + "/elsewhere.mp3");
       },
       "it is no longer where the run filed it"},
      {"tag edited",
       [](const Collection&, const std::string& target) { writeFile(target, readFile(target) + "edited"); },
       "it was changed or replaced since the run filed it"},
      {"new file at its source",
       [](const Collection& c, const std::string&) { writeFile(c.source() + "/a.mp3", "a new file"); },
       "another file now stands at"},
      {"row changed",
       [](const Collection& c, const std::string& target) {
         support::RawDatabase(c.catalogue())
             .execute("update MP3Info set Track = 'Renamed' where FileName = '" + target + "'");
       },
       "its row in the catalogue was changed or removed"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    Collection collection;
    collection.addSmallImport();
    const std::string target = collection.targetOf(song);
    FaultPlan plan;
    runImport(collection, plan);
    const int filed = collection.check().atTarget;
    const std::string filedBytes = readFile(target);
    ASSERT_FALSE(filedBytes.empty());
    c.change(collection, target);

    const Undone undone = undoRun(collection, plan);
    EXPECT_EQ(undone.result.kept, 1u) << undone.view.logText();
    EXPECT_EQ(undone.result.undone, static_cast<std::size_t>(filed - 1));
    EXPECT_NE(undone.view.summaryText().find("Left as it is: \"" + target + "\": " + c.reason), std::string::npos)
        << undone.view.summaryText();
    const auto rows = support::RawDatabase(collection.catalogue()).rows("select FileName from MP3Info");
    EXPECT_EQ(rows, (std::vector<std::vector<std::string>>{{target}}));
    if (c.name != "moved away") {
      EXPECT_TRUE(std::filesystem::exists(target));
    }
    if (c.name == "new file at its source") {
      EXPECT_EQ(readFile(collection.source() + "/a.mp3"), "a new file");
      EXPECT_EQ(readFile(target), filedBytes);
    }
  }
}

// A run stopped by the person, or because its record could not be written, is
// undone like any.
TEST(Undo, AfterAStoppedRun) {
  for (const bool byThePerson : {true, false}) {
    SCOPED_TRACE(byThePerson ? "stopped by the person" : "record not written");
    Collection collection;
    collection.addSmallImport();
    const Before before(collection);
    FaultPlan plan;
    RunSettings settings;
    if (byThePerson)
      settings.stopAfterFiles = 5;
    else
      plan.failOn("record file", 3);
    const support::RecordingRunView run = runImport(collection, plan, settings);
    EXPECT_NE(run.summaryText().find("Stopped after"), std::string::npos) << run.summaryText();
    ASSERT_GT(collection.check().atTarget, 0);
    EXPECT_LT(collection.check().atTarget, 8);
    FaultPlan none;
    const Undone undone = undoRun(collection, none);
    EXPECT_EQ(undone.result.kept, 0u) << undone.view.logText();
    before.expectRestored(collection);
  }
}

// SIGKILL inside the undo of one file; the next undo finishes the job.
TEST(Undo, AKilledUndoIsFinishedByTheNext) {
  for (const std::string call : {"deleteRow", "commit", "moveFile", "removeEmptyFolder"}) {
    SCOPED_TRACE(call);
    Collection collection;
    collection.addSmallImport();
    const Before before(collection);
    FaultPlan plan;
    runImport(collection, plan);
    const pid_t child = ::fork();
    if (child == 0) {
      FaultPlan dying;
      auto seen = std::make_shared<int>(0);
      dying.before = [call, seen](const std::string& name, const std::string&) {
        if (name == call && ++*seen == 3) ::raise(SIGKILL);
      };
      undoRun(collection, dying);
      ::_exit(0);
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    ASSERT_TRUE(WIFSIGNALED(status));
    // At most the file in hand is without its row, as after a killed run.
    EXPECT_TRUE(collection.check(1).problems.empty()) << describe(collection.check(1));

    const Undone next = undoRun(collection, plan);
    EXPECT_EQ(next.result.kept, 0u) << next.view.logText();
    before.expectRestored(collection);
  }
}

// An undo killed as it made its record leaves it empty or with half its first line.
TEST(Undo, ARecordAKilledUndoLeftWithoutAWholeLineIsNoObstacle) {
  for (const std::string left : {"", "mervalis-un"}) {
    SCOPED_TRACE("left: \"" + left + "\"");
    Collection collection;
    collection.addSmallImport();
    const Before before(collection);
    FaultPlan plan;
    runImport(collection, plan);
    const auto ids = administrator::runrecord::RunRecordFolder(collection.runRecords()).runIds();
    ASSERT_EQ(ids.size(), 1u);
    writeFile(administrator::runrecord::RunRecordFolder(collection.runRecords()).undoPath(ids[0]), left);
    const Undone undone = undoRun(collection, plan);
    EXPECT_TRUE(undone.result.started) << undone.view.logText();
    EXPECT_EQ(undone.result.kept, 0u) << undone.view.logText();
    before.expectRestored(collection);
    EXPECT_FALSE(undoRun(collection, plan).result.started);  // and it counts as undone now
  }
}

pid_t startUndo(const Collection& collection, Moves moves) {
  const pid_t child = ::fork();
  if (child == 0) {
    FaultPlan plan;
    undoRun(collection, plan, moves);
    ::_exit(0);
  }
  return child;
}

bool killedBySignal(pid_t child) {
  int status = 0;
  ::waitpid(child, &status, 0);
  return WIFSIGNALED(status);
}

class RandomUndoKills : public ::testing::TestWithParam<Moves> {};

// SIGKILL at random instants of undos of a run of a few hundred files, each
// killed undo followed by another, until one ends: then all is as before the run.
TEST_P(RandomUndoKills, LoseNothingAndEndAsBeforeTheRun) {
  const Moves moves = GetParam();
  const unsigned seed = std::random_device{}();
  std::cout << "[ seed    ] " << seed << "\n";
  std::mt19937 random(seed);
  auto filedCollection = [&](Before*& before, std::unique_ptr<Before>& keep) {
    auto collection = std::make_unique<Collection>(random());
    for (int i = 0; i < 200; ++i)
      collection->add(
          (i % 4 == 0 ? "sub/" : "") + std::to_string(i) + ".mp3",
          {"Song " + std::to_string(i), "Artist " + std::to_string(i % 7), "Album " + std::to_string(i % 5)});
    keep = std::make_unique<Before>(*collection);
    before = keep.get();
    FaultPlan plan;
    runImport(*collection, plan, RunSettings(moves));
    return collection;
  };
  Before* before = nullptr;
  std::unique_ptr<Before> kept;
  // One whole undo tells how long an undo lasts, so kills spread over all of it.
  auto timing = filedCollection(before, kept);
  const auto started = std::chrono::steady_clock::now();
  ASSERT_FALSE(killedBySignal(startUndo(*timing, moves)));
  const auto wholeUndo =
      std::chrono::duration_cast<std::chrono::microseconds>(std::chrono::steady_clock::now() - started).count();

  long kills = 0;
  // An undo that ends before its kill lands narrows the span the kills fall in,
  // until some do: a machine busier than when the span was measured still kills.
  auto killSpan = static_cast<std::uint64_t>(wholeUndo) + 1;
  for (int collections = 0; collections < 4 || (kills == 0 && collections < 16); ++collections) {
    auto collection = filedCollection(before, kept);
    for (int attempt = 0; attempt < 8; ++attempt) {
      const pid_t child = startUndo(*collection, moves);
      std::this_thread::sleep_for(std::chrono::microseconds(random() % killSpan));
      ::kill(child, SIGKILL);
      if (!killedBySignal(child)) {
        if (kills == 0) killSpan = std::max<std::uint64_t>(killSpan / 2, 1);
        break;
      }
      ++kills;
      const Verdict afterKill = collection->check(1);
      ASSERT_TRUE(afterKill.problems.empty()) << "seed " << seed << describe(afterKill);
    }
    FaultPlan plan;
    const Undone last = undoRun(*collection, plan, moves);
    EXPECT_EQ(last.result.kept, 0u) << last.view.logText();
    before->expectRestored(*collection);
  }
  EXPECT_GT(kills, 0);
}

INSTANTIATE_TEST_SUITE_P(UndoProof, RandomUndoKills, ::testing::Values(Moves::RenameWherePossible, Moves::AlwaysCopy),
                         [](const auto& info) {
                           return info.param == Moves::AlwaysCopy ? std::string("Copying") : std::string("Renaming");
                         });

}  // namespace
}  // namespace tests::proof
