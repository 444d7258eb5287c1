#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>

#include <administrator/runrecord/FileRunRecord.h>
#include <administrator/runrecord/RecordFile.h>
#include <administrator/runrecord/RecordLines.h>
#include <administrator/runrecord/RecordedRunReading.h>

#include <tests/proof/ProofRun.h>

using namespace tests::support;

namespace tests::proof {
namespace {

using administrator::importrun::FilingEntry;
using administrator::importrun::KilledRun;
using administrator::runrecord::FileRunRecord;
using administrator::runrecord::RunRecordFolder;

TEST(RunRecord, LinesCarryAnyBytesAndTornLinesAreRefused) {
  // Each field stands first, in the middle and last, an empty one too.
  for (const std::string field :
       {"plain", "tab\there", "two\nlines", "back\\slash", "\\t literal", "", "\\a\tb\nc\\", "end\\"}) {
    std::vector<std::string> fields;
    const std::string line = administrator::runrecord::record::line({field, field, "end", field});
    ASSERT_EQ(line.back(), '\n');
    ASSERT_TRUE(administrator::runrecord::record::parseLine(std::string_view(line).substr(0, line.size() - 1), fields))
        << line;
    EXPECT_EQ(fields, (std::vector<std::string>{field, field, "end", field}));
  }
  std::vector<std::string> fields;
  EXPECT_FALSE(administrator::runrecord::record::parseLine("file\tcut at \\", fields));
  EXPECT_FALSE(administrator::runrecord::record::parseLine("file\t\\x", fields));
}

// A disk that takes only part of a line leaves no torn line behind for the run's
// end line to run into. The file size limit stands in for the full disk.
TEST(RunRecord, AWriteCutShortByAFullDiskLeavesOnlyWholeLines) {
  TemporaryFolder folder;
  const std::string path = (folder / "run.record").string();
  const pid_t child = ::fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    ::signal(SIGXFSZ, SIG_IGN);
    administrator::runrecord::RecordFile record;
    bool taken = false;
    if (!record.create(path, taken) || !record.append("first\tline\n")) ::_exit(2);
    const rlimit roomForPartOfALine{20, 20};
    ::setrlimit(RLIMIT_FSIZE, &roomForPartOfALine);
    ::_exit(record.append(std::string(100, 'x') + "\n") ? 3 : 0);
  }
  int status = 0;
  ASSERT_EQ(::waitpid(child, &status, 0), child);
  ASSERT_TRUE(WIFEXITED(status));
  EXPECT_EQ(WEXITSTATUS(status), 0) << "2: could not start the record, 3: the cut-short write was not reported";
  EXPECT_EQ(readFile(path), "first\tline\n");
}

FilingEntry entryFor(const Collection& collection, std::int64_t rowid = 1) {
  const Tag tag{"T", "A", "B"};
  return {1, {rowid, "T", "A", "B", collection.targetOf(tag)}, collection.source() + "/x.mp3"};
}

TEST(RunRecord, AKilledRunIsFoundByTheNextUntilSettled) {
  Collection collection;
  const RunRecordFolder folder(collection.runRecords());
  const FilingEntry entry = entryFor(collection);
  std::vector<KilledRun> killed;
  {
    // Killed: the record is dropped without its finish.
    FileRunRecord record(folder);
    ASSERT_TRUE(record.open(collection.catalogue(), killed));
    EXPECT_TRUE(killed.empty());
    ASSERT_TRUE(record.start({collection.catalogue(), collection.source(), collection.destination()}, "delete"));
    ASSERT_TRUE(record.filing(entry));
  }
  FileRunRecord next(folder);
  ASSERT_TRUE(next.open(collection.catalogue(), killed));
  ASSERT_EQ(killed.size(), 1u);
  EXPECT_EQ(killed[0].journalModeFound, "delete");
  ASSERT_TRUE(killed[0].inFlight);
  EXPECT_EQ(killed[0].inFlight->row, entry.row);
  EXPECT_EQ(killed[0].inFlight->source, entry.source);
  ASSERT_TRUE(next.settleKilled(killed[0], std::nullopt));
  next.close();
  ASSERT_TRUE(next.open(collection.catalogue(), killed));
  EXPECT_TRUE(killed.empty());
  // Nothing of it lies beside the catalogue.
  EXPECT_EQ(catalogueOnDisk(collection.catalogue()), "format 1/1");
}

// The lock is the catalogue's, so it holds under any name of the file.
TEST(RunRecord, OneRunAtATimePerCatalogueUnderAnyName) {
  Collection collection;
  const std::string otherName = collection.root() + "/link.mdb";
  std::filesystem::create_hard_link(collection.catalogue(), otherName);
  std::vector<KilledRun> killed;
  FileRunRecord first(RunRecordFolder(collection.runRecords())), second(RunRecordFolder(collection.runRecords()));
  ASSERT_TRUE(first.open(collection.catalogue(), killed));
  EXPECT_NE(second.open(otherName, killed).reason().find("another run is filing into it"), std::string::npos);
  first.close();
  EXPECT_TRUE(second.open(otherName, killed));
}

TEST(RunRecord, AReplacedCatalogueStopsFurtherMoves) {
  Collection collection;
  FileRunRecord record(RunRecordFolder(collection.runRecords()));
  std::vector<KilledRun> killed;
  ASSERT_TRUE(record.open(collection.catalogue(), killed));
  ASSERT_TRUE(record.start({collection.catalogue(), collection.source(), collection.destination()}, "delete"));
  std::filesystem::rename(collection.catalogue(), collection.root() + "/old.mdb");
  std::filesystem::copy_file(EMPTY_CATALOGUE, collection.catalogue());
  const auto noted = record.filing(entryFor(collection));
  EXPECT_FALSE(noted);
  EXPECT_NE(noted.reason().find("removed or replaced"), std::string::npos);
}

// What the next run does with a file in flight it finds, by where the file is
// and whether its row was committed.
TEST(RunRecord, TheNextRunMovesBackOnlyAFileWithoutItsRow) {
  enum class AtTarget { Nothing, TheFile, AnotherFile };
  struct Case {
    std::string name;
    bool atSource;
    AtTarget atTarget;
    bool rowCommitted;
    std::string note;  // expected start of the log, empty for none
    bool targetStays;
  } cases[] = {
      {"moved, no row", false, AtTarget::TheFile, false, "\r\nRecovered: ", false},
      {"moved, row committed", false, AtTarget::TheFile, true, "", true},
      {"never moved", true, AtTarget::Nothing, false, "", false},
      {"copied whole, source not yet removed", true, AtTarget::TheFile, false, "\r\nRecovered: ", false},
      {"another file at the target, source still there", true, AtTarget::AnotherFile, false,
       "\r\nNot recovered: ", true},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    Collection collection;
    const FilingEntry entry = entryFor(collection);
    const std::string content = "music" + tagTail({"T", "A", "B"}), other = "other" + tagTail({"T", "A", "B"});
    std::filesystem::create_directories(std::filesystem::path(entry.target()).parent_path());
    if (c.atSource) writeFile(entry.source, content);
    if (c.atTarget != AtTarget::Nothing) writeFile(entry.target(), c.atTarget == AtTarget::TheFile ? content : other);
    if (c.rowCommitted)
      support::RawDatabase(collection.catalogue())
          .execute("insert into MP3Info values ('T', 'A', 'B', '" + entry.target() + "')");
    {
      FileRunRecord record(RunRecordFolder(collection.runRecords()));
      std::vector<KilledRun> killed;
      ASSERT_TRUE(record.open(collection.catalogue(), killed));
      ASSERT_TRUE(record.start({collection.catalogue(), collection.source(), collection.destination()}, "delete"));
      ASSERT_TRUE(record.filing(entry));
    }
    FaultPlan plan;
    RunSettings settings;
    settings.sourceFolder = collection.root() + "/empty";  // so only the recovery acts
    std::filesystem::create_directories(settings.sourceFolder);
    const support::RecordingRunView view = runImport(collection, plan, settings);
    EXPECT_EQ(view.logText().substr(0, c.note.size()), c.note) << view.logText();
    EXPECT_EQ(readFile(entry.source),
              c.atSource || (c.atTarget == AtTarget::TheFile && !c.rowCommitted) ? content : "");
    EXPECT_EQ(std::filesystem::exists(entry.target()), c.targetStays);
    if (c.atTarget == AtTarget::AnotherFile) {
      EXPECT_EQ(readFile(entry.target()), other);
    }
    EXPECT_EQ(view.summaryText().empty(), c.note.empty());
  }
}

}  // namespace
}  // namespace tests::proof
