#include <gtest/gtest.h>

#include "ProofRun.h"

namespace proof {
namespace {

using mervalis::FileRecoveryJournal;
using mervalis::MoveInFlight;

TEST(RecoveryJournal, LinesCarryAnyPathAndTornLinesAreIgnored) {
  const MoveInFlight moves[] = {
      {"/src/a.mp3", "/dest/A/B/T.mp3"},
      {"/src/tab\there", "/dest/new\nline/back\\slash.mp3"},
      {"/src/\\t literally", "/dest/\\\\.mp3"},
  };
  for (const auto& move : moves) {
    MoveInFlight parsed;
    const std::string line = mervalis::journalLine(move);
    ASSERT_TRUE(mervalis::parseJournalLine(line, parsed)) << line;
    EXPECT_EQ(parsed, move);
    // Every cut short of the whole line is a line whose move never began.
    for (std::size_t cut = 0; cut < line.size(); ++cut)
      EXPECT_FALSE(mervalis::parseJournalLine(line.substr(0, cut), parsed)) << line.substr(0, cut);
  }
  MoveInFlight parsed;
  EXPECT_FALSE(mervalis::parseJournalLine("move\t/a\t/b\nmove\t/c\t/d\n", parsed));
  EXPECT_FALSE(mervalis::parseJournalLine("move\t/a\\x\t/b\n", parsed));
}

TEST(RecoveryJournal, NotedMoveOutlivesTheProcessUntilCleared) {
  Collection collection;
  const MoveInFlight move{collection.source() + "/a.mp3", collection.destination() + "/A/B/T.mp3"};
  bool found = true;
  MoveInFlight left;
  const std::string note = FileRecoveryJournal::journalPathOf(collection.catalogue());
  {
    // Killed: the journal is dropped without its close.
    FileRecoveryJournal journal;
    ASSERT_TRUE(journal.open(collection.catalogue(), found, left));
    EXPECT_FALSE(found);
    EXPECT_EQ(journal.journalModeLeft(), "");
    ASSERT_TRUE(journal.noteJournalMode("delete"));
    ASSERT_TRUE(journal.record(move));
  }
  FileRecoveryJournal reopened;
  ASSERT_TRUE(reopened.open(collection.catalogue(), found, left));
  EXPECT_TRUE(found);
  EXPECT_EQ(left, move);
  EXPECT_EQ(reopened.journalModeLeft(), "delete");
  bool hasRow = true;
  ASSERT_TRUE(reopened.committed(left, hasRow));
  EXPECT_FALSE(hasRow);
  ASSERT_TRUE(reopened.clear());
  reopened.close();
  // A run that ends without a move in flight leaves nothing beside the catalogue.
  EXPECT_FALSE(std::filesystem::exists(note));
  ASSERT_TRUE(reopened.open(collection.catalogue(), found, left));
  EXPECT_FALSE(found);
  EXPECT_EQ(reopened.journalModeLeft(), "");
}

// The lock is the file's: a run that finds the note of a live run is refused,
// and once the live run has ended and removed its note the next one gets its own.
TEST(RecoveryJournal, OneRunAtATimeAlsoWhenTheNoteComesAndGoes) {
  Collection collection;
  bool found = false;
  MoveInFlight left;
  FileRecoveryJournal first, second, third;
  ASSERT_TRUE(first.open(collection.catalogue(), found, left));
  EXPECT_NE(second.open(collection.catalogue(), found, left).reason().find("another run is filing into it"),
            std::string::npos);
  first.close();
  ASSERT_TRUE(second.open(collection.catalogue(), found, left));
  EXPECT_FALSE(third.open(collection.catalogue(), found, left));
  EXPECT_TRUE(second.noteJournalMode("wal"));
}

TEST(RecoveryJournal, ReplacedCatalogueStopsFurtherMoves) {
  Collection collection;
  FileRecoveryJournal journal;
  bool found = false;
  MoveInFlight left;
  ASSERT_TRUE(journal.open(collection.catalogue(), found, left));
  std::filesystem::rename(collection.catalogue(), collection.root() + "/old.mdb");
  std::filesystem::copy_file(EMPTY_CATALOGUE, collection.catalogue());
  const auto noted = journal.record({"/s", "/t"});
  EXPECT_FALSE(noted);
  EXPECT_NE(noted.reason().find("removed or replaced"), std::string::npos);
}

// What the next run does with a noted move it finds, by where the file is.
TEST(RecoveryJournal, NextRunUndoesOnlyAMoveWithoutItsRow) {
  enum class AtTarget { Nothing, TheFile, AnotherFile };
  struct Case {
    std::string name;
    bool atSource;
    AtTarget atTarget;
    std::string note;  // expected start of the log, empty for none
    bool targetStays;
  } cases[] = {
      {"moved, no row", false, AtTarget::TheFile, "\r\nRecovered: ", false},
      {"never moved", true, AtTarget::Nothing, "", false},
      {"copied whole, source not yet removed", true, AtTarget::TheFile, "\r\nRecovered: ", false},
      {"another file at the target, source still there", true, AtTarget::AnotherFile, "\r\nNot recovered: ", true},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    Collection collection;
    const Tag tag{"T", "A", "B"};
    const std::string source = collection.source() + "/x.mp3", target = collection.targetOf(tag);
    const std::string content = "music" + tagTail(tag), other = "other" + tagTail(tag);
    std::filesystem::create_directories(std::filesystem::path(target).parent_path());
    if (c.atSource) writeFile(source, content);
    if (c.atTarget != AtTarget::Nothing) writeFile(target, c.atTarget == AtTarget::TheFile ? content : other);
    {
      FileRecoveryJournal journal;
      bool found = false;
      MoveInFlight left;
      ASSERT_TRUE(journal.open(collection.catalogue(), found, left));
      ASSERT_TRUE(journal.record({source, target}));
    }
    FaultPlan plan;
    RunSettings settings;
    settings.sourceFolder = collection.root() + "/empty";  // so only the recovery acts
    std::filesystem::create_directories(settings.sourceFolder);
    const TextView view = runImport(collection, plan, settings);
    EXPECT_EQ(view.logText().substr(0, c.note.size()), c.note) << view.logText();
    EXPECT_EQ(readFile(source), c.atSource || c.atTarget == AtTarget::TheFile ? content : "");
    EXPECT_EQ(std::filesystem::exists(target), c.targetStays);
    if (c.targetStays) {
      EXPECT_EQ(readFile(target), other);
    }
    EXPECT_EQ(view.summaryText().empty(), c.note.empty());
  }
}

}  // namespace
}  // namespace proof
