#include <tests/support/RawDatabase.h>
#include <platform/database/SqliteEngine.h>
#include <tests/support/TemporaryFolder.h>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>

#include <csignal>

namespace {

using platform::database::Connection;
using platform::database::SqliteEngine;
using testing::HasSubstr;
using namespace tests::support;
using Rows = std::vector<std::vector<std::string>>;

class DatabaseWriteTest : public testing::Test {
 protected:
  void SetUp() override {
    RawDatabase(path).execute("create table Songs (Title text, Path text)");
    auto opened = engine.open(path);
    ASSERT_TRUE(opened.status) << opened.status.reason();
    connection = std::move(opened.value);
  }

  Rows stored() { return RawDatabase(path).rows("select Title, Path from Songs order by rowid"); }

  TemporaryFolder folder;
  std::string path = folder / "music.mdb";
  SqliteEngine engine;
  std::unique_ptr<Connection> connection;
};

TEST_F(DatabaseWriteTest, BoundTextsAreStoredExactly) {
  const std::vector<std::string> titles = {
      "Say \"Hello\"",
      "Don't Stop",
      "One, Two, Three",
      "[Live] (Remastered)",
      "\"); drop table Songs; --",
      "Bj\xC3\xB6rk ? ?1 :name",
      "",
      std::string("nul\0inside", 10),
  };
  auto insert = connection->prepare("insert into Songs (Title, Path) values (?, ?)");
  ASSERT_TRUE(insert.status) << insert.status.reason();
  Rows expected;
  for (const auto& title : titles) {
    const auto run = insert.value->run({title, "/music/" + title + ".mp3"});
    EXPECT_TRUE(run) << run.reason();
    expected.push_back({title, "/music/" + title + ".mp3"});
  }
  EXPECT_EQ(stored(), expected);
}

TEST_F(DatabaseWriteTest, RefusesAWrongNumberOfValuesAndABadStatement) {
  auto insert = connection->prepare("insert into Songs (Title, Path) values (?, ?)");
  ASSERT_TRUE(insert.status);
  EXPECT_EQ(insert.value->run({"only one"}).cause(), "it takes 2 values, not 1");
  EXPECT_TRUE(stored().empty());

  const auto bad = connection->prepare("insert into Nowhere values (?)");
  EXPECT_THAT(bad.status.reason(), HasSubstr("no such table: Nowhere"));
  EXPECT_THAT(bad.status.reason(), HasSubstr(path));
}

TEST_F(DatabaseWriteTest, OnlyCommittedTransactionsStay) {
  auto insert = connection->prepare("insert into Songs (Title, Path) values (?, ?)");
  ASSERT_TRUE(connection->begin());
  ASSERT_TRUE(insert.value->run({"rolled back", "a"}));
  ASSERT_TRUE(connection->rollback());
  ASSERT_TRUE(connection->begin());
  ASSERT_TRUE(insert.value->run({"committed", "b"}));
  ASSERT_TRUE(connection->commit());
  EXPECT_TRUE(connection->rollback()) << "nothing open to roll back is no failure";
  EXPECT_FALSE(connection->commit());
  EXPECT_EQ(stored(), (Rows{{"committed", "b"}}));
}

// The program may be killed between two files; every row it committed must stay.
TEST_F(DatabaseWriteTest, CommittedRowsSurviveTheProgramBeingKilled) {
  ASSERT_TRUE(connection->useWriteAheadLog());
  connection.reset();
  const pid_t child = ::fork();
  ASSERT_NE(child, -1);
  if (child == 0) {
    auto opened = engine.open(path);
    if (!opened.status || !opened.value->useWriteAheadLog()) ::_exit(1);
    auto insert = opened.value->prepare("insert into Songs (Title, Path) values (?, ?)");
    for (const char* title : {"first", "second"}) {
      if (!opened.value->begin() || !insert.value->run({title, "p"}) || !opened.value->commit()) ::_exit(1);
    }
    if (!opened.value->begin() || !insert.value->run({"unfinished", "p"})) ::_exit(1);
    ::raise(SIGKILL);
  }
  int status = 0;
  ASSERT_EQ(::waitpid(child, &status, 0), child);
  ASSERT_TRUE(WIFSIGNALED(status)) << "the child failed before it was killed";

  auto reopened = engine.open(path);
  ASSERT_TRUE(reopened.status) << reopened.status.reason();
  EXPECT_EQ(stored(), (Rows{{"first", "p"}, {"second", "p"}}));
}

}  // namespace
