#include <gtest/gtest.h>

#include <sys/stat.h>

#include <iostream>

#include <tests/proof/ChildProcess.h>
#include <tests/proof/ProofRun.h>

using namespace tests::support;

namespace tests::proof {
namespace {

using Moves = platform::filesystem::PosixFileSystem::Moves;
using namespace std::chrono_literals;

constexpr int kFiledBySmallImport = 6;  // a, c, e, f, h, i: the duplicates and the taken target stay

// For N = 1, 2, ... the Nth call into any seam fails; after each run the promise
// holds, and a second run without faults files what the first one could not.
TEST(FaultInjection, EveryCallFailsInTurnUntilARunCompletes) {
  for (const Moves moves : {Moves::RenameWherePossible, Moves::AlwaysCopy}) {
    long runs = 0, injected = 0;
    for (long failAt = 1;; ++failAt) {
      SCOPED_TRACE("fail call " + std::to_string(failAt) + (moves == Moves::AlwaysCopy ? " (copying)" : ""));
      Collection collection(static_cast<unsigned>(failAt));
      collection.addSmallImport();
      FaultPlan plan{failAt};
      runImport(collection, plan, {moves});
      ++runs;
      const Verdict afterFault = collection.check();
      ASSERT_TRUE(afterFault.problems.empty()) << "after failing " << plan.injectedAt << describe(afterFault);

      FaultPlan noFault;
      runImport(collection, noFault, {moves});
      const Verdict afterRetry = collection.check();
      ASSERT_TRUE(afterRetry.problems.empty()) << "after retrying " << plan.injectedAt << describe(afterRetry);
      EXPECT_EQ(afterRetry.atTarget, kFiledBySmallImport) << "after failing " << plan.injectedAt;
      EXPECT_EQ(afterRetry.rows, kFiledBySmallImport);
      if (plan.injectedAt.empty()) break;
      ++injected;
    }
    EXPECT_GT(injected, 50);
    std::cout << "[ figures ] fault injection" << (moves == Moves::AlwaysCopy ? " (copy between volumes)" : "") << ": "
              << runs << " faulty runs + " << runs << " retries, " << injected << " faults injected\n";
  }
}

struct Scenario {
  std::string name;
  Moves moves;
  // Sets the world up around the run; returns what the run's summary must say.
  std::function<std::string(Collection&, FaultPlan&, RunSettings&)> arrange;
  int filed;  // files at their target afterwards
};

std::string targetOfFile(const Collection& collection, const std::string& name) {
  for (const auto& file : collection.files())
    if (file.path == collection.source() + "/" + name) return file.target;
  return {};
}

// Calls `act` once, just before the nth call of the given kind.
std::function<void(const std::string&, const std::string&)> onCall(std::string kind, int nth,
                                                                   std::function<void()> act) {
  auto seen = std::make_shared<int>(0);
  return [=](const std::string& call, const std::string&) {
    if (call == kind && ++*seen == nth) act();
  };
}

const Scenario kScenarios[] = {
    {"disk full during a copy between volumes", Moves::AlwaysCopy,
     [](Collection& collection, FaultPlan& plan, RunSettings&) {
       // The second chunk of the only file bigger than one chunk finds the disk full.
       const std::string big = targetOfFile(collection, "h.mp3");
       auto moving = std::make_shared<std::string>();
       auto chunks = std::make_shared<int>(0);
       plan.before = [&plan, big, moving, chunks](const std::string& call, const std::string& argument) {
         if (call == "moveFile") *moving = argument;
         if (call == "writeChunk" && *moving == big && ++*chunks == 2) plan.failAt = plan.calls + 1;
       };
       return "h.mp3 - Cannot write";
     },
     kFiledBySmallImport - 1},
    {"a target appears between the check and the move", Moves::RenameWherePossible,
     [](Collection& collection, FaultPlan& plan, RunSettings&) {
       const std::string target = targetOfFile(collection, "c.mp3");
       plan.before = [&collection, target](const std::string& call, const std::string& argument) {
         if (call == "moveFile" && argument == target) collection.addExisting(target, "put there meanwhile");
       };
       return "c.mp3 - Not moved: \"" + target + "\" already exists";
     },
     kFiledBySmallImport - 1},
    {"a source vanishes between the listing and the load", Moves::RenameWherePossible,
     [](Collection& collection, FaultPlan& plan, RunSettings&) {
       const std::string source = collection.source() + "/a.mp3", away = collection.root() + "/a.mp3";
       plan.before = [=](const std::string& call, const std::string& argument) {
         if (call == "load" && argument == source) std::filesystem::rename(source, away);
         if (call == "close") std::filesystem::rename(away, source);  // back before the check
       };
       return "a.mp3 - Not filed: it cannot be read (No such file or directory)";
     },
     kFiledBySmallImport},  // d.mp3, a's twin, takes the place
    {"a source vanishes between the load and the move", Moves::AlwaysCopy,
     [](Collection& collection, FaultPlan& plan, RunSettings&) {
       const std::string source = collection.source() + "/e.txt", away = collection.root() + "/e.txt";
       const std::string target = targetOfFile(collection, "e.txt");
       plan.before = [=](const std::string& call, const std::string& argument) {
         if (call == "moveFile" && argument == target) std::filesystem::rename(source, away);
         if (call == "close") std::filesystem::rename(away, source);
       };
       return "e.txt - Cannot move";
     },
     kFiledBySmallImport - 1},
    {"a source saved over by another program while it is copied", Moves::AlwaysCopy,
     [](Collection& collection, FaultPlan& plan, RunSettings&) {
       // Its copy already has the target's name; the new version must stay, the copy go.
       const std::string source = collection.source() + "/c.mp3";
       plan.before = [&collection, source](const std::string& call, const std::string& argument) {
         if (call == "copyNamed" && argument == source) collection.saveOver(source, "new " + readFile(source));
       };
       return "changed or replaced by another program while it was being copied; it stays where it is";
     },
     kFiledBySmallImport - 1},
    {"the catalogue locked by another program mid-run", Moves::RenameWherePossible,
     [](Collection& collection, FaultPlan& plan, RunSettings& settings) {
       settings.busyTimeout = std::chrono::milliseconds(100);
       auto lock = std::make_shared<std::unique_ptr<LockHolder>>();
       plan.before =
           onCall("begin", 3, [&collection, lock] { *lock = std::make_unique<LockHolder>(collection.catalogue()); });
       return "locked";
     },
     2},
    {"the catalogue file removed mid-run", Moves::RenameWherePossible,
     [](Collection& collection, FaultPlan& plan, RunSettings&) {
       plan.before = onCall("begin", 3, [&collection] { std::filesystem::remove(collection.catalogue()); });
       return "the file was removed or replaced during the run";
     },
     2},
};

TEST(FaultInjection, NamedFaultsLoseNothing) {
  for (const auto& scenario : kScenarios) {
    SCOPED_TRACE(scenario.name);
    Collection collection;
    collection.addSmallImport();
    FaultPlan plan;
    RunSettings settings{scenario.moves};
    const std::string expected = scenario.arrange(collection, plan, settings);
    const support::RecordingRunView view = runImport(collection, plan, settings);
    const bool catalogueKept = std::filesystem::exists(collection.catalogue());
    const Verdict verdict = collection.check(0, catalogueKept);
    EXPECT_TRUE(verdict.problems.empty()) << describe(verdict);
    EXPECT_EQ(verdict.atTarget, scenario.filed);
    EXPECT_NE(view.summaryText().find(expected), std::string::npos) << view.summaryText();
  }
}

TEST(FaultInjection, CatalogueLockedBeforeTheRunStopsItUntouched) {
  Collection collection;
  collection.addSmallImport();
  support::RecordingRunView view;
  {
    LockHolder lock(collection.catalogue());
    FaultPlan plan;
    RunSettings settings;
    settings.busyTimeout = std::chrono::milliseconds(100);
    view = runImport(collection, plan, settings);
  }
  const Verdict verdict = collection.check();
  EXPECT_TRUE(verdict.problems.empty()) << describe(verdict);
  EXPECT_EQ(verdict.atTarget, 0);
  EXPECT_NE(view.summaryText().find("locked by another program. No file was touched."), std::string::npos)
      << view.summaryText();
}

// Waiting for the other program at every file would stall a large run for hours.
// The small import run while `other` writes to its catalogue, as `plan` lets it:
// the run waits for the lock only briefly, and the other program ends after it.
support::RecordingRunView runBesideAnotherWriter(const Collection& collection, support::RawDatabase& other,
                                                 FaultPlan& plan) {
  RunSettings settings;
  settings.busyTimeout = 100ms;
  support::RecordingRunView view = runImport(collection, plan, settings);
  other.execute("rollback");
  return view;
}

TEST(FaultInjection, CatalogueAnotherProgramIsWritingToStopsTheRunBeforeAnyFile) {
  Collection collection;
  collection.addSmallImport();
  support::RawDatabase other(collection.catalogue());
  ASSERT_EQ(other.execute("pragma journal_mode = wal; begin immediate"), SQLITE_OK);
  FaultPlan plan;
  const support::RecordingRunView view = runBesideAnotherWriter(collection, other, plan);

  const Verdict verdict = collection.check();
  EXPECT_TRUE(verdict.problems.empty()) << describe(verdict);
  EXPECT_EQ(verdict.atTarget, 0);
  EXPECT_EQ(verdict.rows, 0);
  const std::string message = "\r\nCannot open the catalogue \"" + collection.catalogue() +
                              "\": another program is writing to it; try again when it has finished. No file was "
                              "touched.";
  EXPECT_EQ(view.logText(), message);
  EXPECT_EQ(view.summaryText(), message);
}

TEST(FaultInjection, CatalogueTakenByAnotherProgramMidRunStopsTheRunAfterTheFileInHand) {
  Collection collection;
  collection.addSmallImport();
  support::RawDatabase other(collection.catalogue());
  FaultPlan plan;
  plan.before = onCall("begin", 2, [&other] { ASSERT_EQ(other.execute("begin immediate"), SQLITE_OK); });
  const support::RecordingRunView view = runBesideAnotherWriter(collection, other, plan);

  const Verdict verdict = collection.check();
  EXPECT_TRUE(verdict.problems.empty()) << describe(verdict);
  EXPECT_EQ(verdict.atTarget, 1);  // a.mp3; b.mp3 has no tag, c.mp3 finds the lock
  const std::string source = collection.source(), catalogue = collection.catalogue();
  const std::string locked = "Cannot begin a change in \"" + catalogue + "\": it is locked by another program";
  const std::string stop = "Stopped after \"" + source + "/c.mp3\": another program is writing to the catalogue \"" +
                           catalogue +
                           "\". The files after it were left where they are; run again when it has finished.";
  // The other program still has the catalogue open, so it cannot leave write-ahead logging.
  const std::string stays = "Cannot put back the journal mode \"delete\" in \"" + catalogue +
                            "\": another program has it open, so it stays in \"wal\" mode.";
  EXPECT_EQ(view.logText(),
            "\r\na.mp3\r\nb.mp3 Error - No Title\r\nc.mp3 Error - " + locked + "\r\n" + stop + "\r\n" + stays);
  EXPECT_EQ(view.summaryText(),
            "\r\n" + source + "/b.mp3 - No Title\r\n" + source + "/c.mp3 - " + locked + "\r\n" + stop);
}

// Only the catalogue's side files cannot be made: without the check every file
// would fail on its own. In either journal mode.
// Root may write anywhere, so the run goes as an unprivileged user.
TEST(FaultInjection, CatalogueWhoseFolderMayNotBeWrittenIsRefusedAtTheStart) {
  for (const std::string mode : {"delete", "wal"}) {
    SCOPED_TRACE(mode);
    Collection collection;
    collection.addSmallImport();
    ASSERT_EQ(support::RawDatabase(collection.catalogue()).execute("pragma journal_mode = " + mode), SQLITE_OK);
    const auto shown = runUnprivilegedWhile(collection, collection.root(), 0555, 0755);
    ASSERT_TRUE(shown);
    const Verdict verdict = collection.check();
    EXPECT_TRUE(verdict.problems.empty()) << describe(verdict);
    EXPECT_EQ(verdict.atTarget, 0);
    EXPECT_EQ(shown->summary, "\r\nCannot open the catalogue \"" + collection.catalogue() +
                                  "\": its folder cannot be written, so no change can be made to it. No "
                                  "file was touched.");
  }
}

// Root may write anywhere, so these run as an unprivileged user when needed.
TEST(FaultInjection, FolderThatMayNotBeWrittenLosesNothing) {
  struct Case {
    std::string folder;  // below the collection's root
    int filed;
  } cases[] = {
      {"music", 0},           // the destination root: no artist folder can be made
      {"music/Artist 1", 4},  // an existing artist folder: no album folder in it (a, c, d)
      {"source", 1},          // the source folder: no file may leave it (only sub/i.mp3 does)
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.folder);
    Collection collection;
    collection.addSmallImport();
    const std::string folder = collection.root() + "/" + c.folder;
    std::filesystem::create_directories(folder);
    const auto shown = runUnprivilegedWhile(collection, folder, 0555, 0755);
    ASSERT_TRUE(shown);
    const Verdict verdict = collection.check();
    EXPECT_TRUE(verdict.problems.empty()) << describe(verdict);
    EXPECT_EQ(verdict.atTarget, c.filed);
    EXPECT_NE(shown->summary.find("Permission denied"), std::string::npos) << shown->summary;
  }
}

}  // namespace
}  // namespace tests::proof
