#include <tests/support/RawDatabase.h>
#include <platform/database/SqliteEngine.h>
#include <tests/support/TemporaryFolder.h>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>

#include <chrono>

namespace {

using platform::database::SqliteEngine;
using platform::status::Status;
using testing::HasSubstr;
using namespace tests::support;
using namespace std::chrono_literals;

// Another program: a child process that holds a lock on the database until the
// test lets it go.
class LockingProgram {
 public:
  LockingProgram(const std::string& path, const std::string& lockStatement) {
    int ready[2];
    int release[2];
    if (::pipe(ready) != 0 || ::pipe(release) != 0) throw std::runtime_error("no pipe");
    pid_ = ::fork();
    if (pid_ == 0) {
      ::close(ready[0]);
      ::close(release[1]);
      RawDatabase db(path);
      const char answer = db.execute(lockStatement) == SQLITE_OK ? 'y' : 'n';
      (void)!::write(ready[1], &answer, 1);
      char ignored;
      (void)!::read(release[0], &ignored, 1);  // returns when the test closes its end
      ::_exit(0);
    }
    ::close(ready[1]);
    ::close(release[0]);
    release_ = release[1];
    char answer = 'n';
    locked_ = ::read(ready[0], &answer, 1) == 1 && answer == 'y';
    ::close(ready[0]);
  }
  LockingProgram(const LockingProgram&) = delete;
  LockingProgram& operator=(const LockingProgram&) = delete;
  ~LockingProgram() {
    ::close(release_);
    ::waitpid(pid_, nullptr, 0);
  }

  bool locked() const { return locked_; }

 private:
  pid_t pid_ = -1;
  int release_ = -1;
  bool locked_ = false;
};

TEST(DatabaseLockTest, WaitsForAnotherProgramsLockThenSaysSo) {
  TemporaryFolder folder;
  const std::string path = folder / "music.mdb";
  RawDatabase(path).execute("create table Songs (Title text)");
  SqliteEngine engine;

  // A writer still lets us read, so the open works and the begin waits; an
  // exclusive lock stops the open itself.
  struct Case {
    std::string lock;
    bool opens;
  };
  const Case cases[] = {
      {"begin immediate; insert into Songs values ('theirs')", true},
      {"begin exclusive", false},
  };
  for (const auto& c : cases) {
    LockingProgram other(path, c.lock);
    ASSERT_TRUE(other.locked()) << c.lock;

    const auto started = std::chrono::steady_clock::now();
    auto opened = engine.open(path, {.busyTimeout = 300ms});
    Status refused = opened.status;
    if (opened.status) {
      EXPECT_TRUE(c.opens) << c.lock;
      refused = opened.value->begin();
    }
    EXPECT_GE(std::chrono::steady_clock::now() - started, 250ms) << c.lock;
    EXPECT_THAT(refused.reason(), HasSubstr("locked by another program")) << c.lock;
    EXPECT_THAT(refused.reason(), HasSubstr(path)) << c.lock;
    EXPECT_TRUE(refused.busy()) << c.lock;
  }
}

// In either journal mode a program holding its changes open is found, and a
// proof that finds none leaves the file as it was.
TEST(DatabaseLockTest, ProvingAChangeWritableFindsAWriterAndChangesNothing) {
  TemporaryFolder folder;
  SqliteEngine engine;
  for (const std::string mode : {"wal", "delete"}) {
    SCOPED_TRACE(mode);
    const std::string path = folder / (mode + ".mdb");
    RawDatabase(path).execute("create table Songs (Title text); pragma user_version = 7; pragma journal_mode = " +
                              mode);
    auto opened = engine.open(path);
    ASSERT_TRUE(opened.status) << opened.status.reason();
    const std::string before = tests::support::readFile(path);
    EXPECT_TRUE(opened.value->proveWritable(50ms));
    EXPECT_EQ(tests::support::readFile(path), before);
    EXPECT_EQ(RawDatabase(path).rows("pragma user_version"), (std::vector<std::vector<std::string>>{{"7"}}));

    LockingProgram other(path, "begin immediate; insert into Songs values ('theirs')");
    ASSERT_TRUE(other.locked());
    const Status refused = opened.value->proveWritable(50ms);
    EXPECT_TRUE(refused.busy());
    EXPECT_EQ(refused.reason(), "Cannot take the write lock in \"" + path +
                                    "\": another program is writing to it; try again when it has finished");
  }
}

}  // namespace
