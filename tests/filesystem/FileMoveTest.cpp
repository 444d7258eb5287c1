#include <platform/filesystem/PosixFileSystem.h>
#include <tests/support/TemporaryFolder.h>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>

#include <filesystem>
#include <fstream>
#include <functional>
#include <optional>

namespace {

using platform::filesystem::PosixFileSystem;
using platform::status::Status;
using testing::HasSubstr;
using namespace tests::support;

std::vector<std::string> entriesOf(const std::string& folder) {
  std::vector<std::string> names;
  for (const auto& entry : std::filesystem::directory_iterator(folder)) names.push_back(entry.path().filename());
  return names;
}

// Every test runs once with a rename and once through the copy used between volumes.
class FileMoveTest : public testing::TestWithParam<PosixFileSystem::Moves> {
 protected:
  void SetUp() override {
    std::filesystem::create_directory(folder / "Artist");
    writeFile(source, "music and a tag");
  }

  TemporaryFolder folder;
  PosixFileSystem fileSystem{GetParam()};
  std::string source = folder / "song.mp3";
};

TEST_P(FileMoveTest, MovesTheFileUnderItsNewName) {
  ::chmod(source.c_str(), 0640);
  const Status moved = fileSystem.moveFile(source, folder / "Artist/Title.mp3");
  ASSERT_TRUE(moved) << moved.reason();
  EXPECT_FALSE(std::filesystem::exists(source));
  EXPECT_EQ(readFile(folder / "Artist/Title.mp3"), "music and a tag");
  EXPECT_EQ(std::filesystem::status(folder / "Artist/Title.mp3").permissions(), std::filesystem::perms(0640));
  EXPECT_EQ(entriesOf(folder / "Artist"), std::vector<std::string>{"Title.mp3"});
}

TEST_P(FileMoveTest, NeverReplacesAnExistingTarget) {
  writeFile(folder / "Artist/Title.mp3", "filed earlier");
  const Status moved = fileSystem.moveFile(source, folder / "Artist/Title.mp3");
  EXPECT_THAT(moved.reason(), HasSubstr("File exists"));
  EXPECT_EQ(readFile(source), "music and a tag");
  EXPECT_EQ(readFile(folder / "Artist/Title.mp3"), "filed earlier");
  EXPECT_EQ(entriesOf(folder / "Artist"), std::vector<std::string>{"Title.mp3"});
}

TEST_P(FileMoveTest, FailsIntoAMissingFolderLeavingTheSource) {
  const std::string target = folder / "Nobody/Title.mp3";
  const Status moved = fileSystem.moveFile(source, target);
  EXPECT_THAT(moved.reason(), HasSubstr(target));
  EXPECT_THAT(moved.reason(), HasSubstr("No such file or directory"));
  EXPECT_EQ(readFile(source), "music and a tag");
}

TEST_P(FileMoveTest, RefusesWhatIsNotAFile) {
  struct Case {
    std::string source;
    std::string cause;
  };
  const Case cases[] = {
      {folder / "gone.mp3", "No such file or directory"},
      {folder / "Artist", "it is not an ordinary file"},
  };
  for (const auto& c : cases) {
    const Status moved = fileSystem.moveFile(c.source, folder / "Title.mp3");
    EXPECT_EQ(moved.cause(), c.cause);
    EXPECT_FALSE(std::filesystem::exists(folder / "Title.mp3"));
  }
}

INSTANTIATE_TEST_SUITE_P(BothPaths, FileMoveTest,
                         testing::Values(PosixFileSystem::Moves::RenameWherePossible,
                                         PosixFileSystem::Moves::AlwaysCopy),
                         [](const auto& info) {
                           return info.param == PosixFileSystem::Moves::AlwaysCopy ? "Copy" : "Rename";
                         });

// Fails the write of the copy after its first chunk, like a full disk.
class FailingWrites : public PosixFileSystem {
 public:
  FailingWrites() : PosixFileSystem(Moves::AlwaysCopy) {}
  int chunksWritten = 0;

 protected:
  Status writeChunk(int fd, const char* data, std::size_t size, const std::string& path) override {
    if (chunksWritten == 1) return Status::failure("write " + path, "No space left on device");
    ++chunksWritten;
    return PosixFileSystem::writeChunk(fd, data, size, path);
  }
};

TEST(FileCopyTest, FailureMidCopyRemovesThePartialCopyAndKeepsTheSource) {
  TemporaryFolder folder;
  std::filesystem::create_directory(folder / "Album");
  const std::string content(3 << 20, 'm');
  writeFile(folder / "song.mp3", content);

  FailingWrites fileSystem;
  const Status moved = fileSystem.moveFile(folder / "song.mp3", folder / "Album/Title.mp3");

  EXPECT_EQ(fileSystem.chunksWritten, 1);
  EXPECT_EQ(moved.cause(), "No space left on device");
  EXPECT_TRUE(readFile(folder / "song.mp3") == content);
  EXPECT_TRUE(entriesOf(folder / "Album").empty());
}

// Killed after the first chunk of the copy, as a program is by a crash or the user.
class DyingWrites : public PosixFileSystem {
 public:
  DyingWrites() : PosixFileSystem(Moves::AlwaysCopy) {}

 protected:
  Status writeChunk(int fd, const char* data, std::size_t size, const std::string& path) override {
    if (wrote_) ::raise(SIGKILL);
    wrote_ = true;
    return PosixFileSystem::writeChunk(fd, data, size, path);
  }

 private:
  bool wrote_ = false;
};

TEST(FileCopyTest, AKillMidCopyLeavesNothingBesideTheTarget) {
  TemporaryFolder folder;
  std::filesystem::create_directory(folder / "Album");
  if (!keepsUnnamedFiles(folder / "Album"))
    GTEST_SKIP() << "this file system has no unnamed files; the copy grows under a hidden name";
  const std::string content(3 << 20, 'k');
  writeFile(folder / "song.mp3", content);

  const pid_t child = ::fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    DyingWrites fileSystem;
    (void)fileSystem.moveFile(folder / "song.mp3", folder / "Album/Title.mp3");
    ::_exit(0);
  }
  int status = 0;
  ASSERT_EQ(::waitpid(child, &status, 0), child);
  ASSERT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL);
  EXPECT_TRUE(readFile(folder / "song.mp3") == content);
  EXPECT_THAT(entriesOf(folder / "Album"), testing::IsEmpty());
}

// When, during a copy between volumes, another program changes the source.
enum class Moment { AfterTheFirstChunk, AfterTheContent, AfterTheNaming };

std::string nameOf(Moment moment) {
  switch (moment) {
    case Moment::AfterTheFirstChunk: return "after the first chunk";
    case Moment::AfterTheContent: return "after the whole content";
    case Moment::AfterTheNaming: return "after the copy got the target's name";
  }
  return {};
}

class SourceChangedMidCopy : public PosixFileSystem {
 public:
  SourceChangedMidCopy(Moves moves, Moment moment, std::function<void()> change)
      : PosixFileSystem(moves), moment_(moment), change_(std::move(change)) {}
  int changes = 0;

 protected:
  Status writeChunk(int fd, const char* data, std::size_t size, const std::string& path) override {
    const Status written = PosixFileSystem::writeChunk(fd, data, size, path);
    if (moment_ == Moment::AfterTheFirstChunk && ++chunks_ == 1) change();
    return written;
  }
  void reached(CopyPoint point, const std::string&) override {
    if ((point == CopyPoint::ContentWritten && moment_ == Moment::AfterTheContent) ||
        (point == CopyPoint::CopyNamed && moment_ == Moment::AfterTheNaming))
      change();
  }

 private:
  void change() {
    change_();
    ++changes;
  }

  Moment moment_;
  std::function<void()> change_;
  int chunks_ = 0;
};

// Saves a new version as careful programs do: written beside the file, renamed over it.
void saveOver(const std::string& path, const std::string& content) {
  writeFile(path + ".saving", content);
  std::filesystem::rename(path + ".saving", path);
}

// What another program does to the source; returns the content it leaves there.
struct Change {
  std::string name;
  std::function<std::string(const std::string& source, const std::string& before)> apply;
};

const Change kChanges[] = {
    {"a new version renamed over it",
     [](const std::string& source, const std::string& before) {
       saveOver(source, std::string(before.size(), 'n'));
       return std::string(before.size(), 'n');
     }},
    {"8,000 bytes appended",
     [](const std::string& source, const std::string& before) {
       std::ofstream(source, std::ios::binary | std::ios::app) << std::string(8000, 'a');
       return before + std::string(8000, 'a');
     }},
    {"its start rewritten in place",
     [](const std::string& source, const std::string& before) {
       std::fstream(source, std::ios::binary | std::ios::in | std::ios::out) << "ID3 rewritten";
       return std::string("ID3 rewritten") + before.substr(13);
     }},
    {"its modification time touched",
     [](const std::string& source, const std::string& before) {
       const struct timespec times[2] = {{2000000000, 0}, {2000000000, 0}};
       ::utimensat(AT_FDCWD, source.c_str(), times, 0);
       return before;
     }},
};

// Whatever the program changed, and whenever: the source stays as it left it, and
// no copy is left in the target's folder. Untouched, the source moves.
void expectChangedSourcesToStay(const std::string& source, const std::string& targetFolder,
                                PosixFileSystem::Moves moves) {
  const std::string before(1500000, 's');  // more than one chunk of the copy
  const std::string target = targetFolder + "/Title.mp3";
  for (const Moment moment : {Moment::AfterTheFirstChunk, Moment::AfterTheContent, Moment::AfterTheNaming}) {
    for (const auto& change : kChanges) {
      SCOPED_TRACE(change.name + " " + nameOf(moment));
      writeFile(source, before);
      const struct timespec times[2] = {{1000000000, 0}, {1000000000, 0}};
      ::utimensat(AT_FDCWD, source.c_str(), times, 0);
      std::string after;
      SourceChangedMidCopy fileSystem(moves, moment, [&] { after = change.apply(source, before); });

      const Status moved = fileSystem.moveFile(source, target);

      EXPECT_EQ(fileSystem.changes, 1);
      EXPECT_THAT(moved.cause(), HasSubstr("changed or replaced by another program"));
      EXPECT_TRUE(readFile(source) == after);
      EXPECT_THAT(entriesOf(targetFolder), testing::IsEmpty());
      std::filesystem::remove(target);  // so one failed case does not spoil the next
    }
  }
  writeFile(source, before);
  SourceChangedMidCopy fileSystem(moves, Moment::AfterTheNaming, [] {});
  const Status moved = fileSystem.moveFile(source, target);
  ASSERT_TRUE(moved) << moved.reason();
  EXPECT_FALSE(std::filesystem::exists(source));
  EXPECT_TRUE(readFile(target) == before);
}

TEST(FileCopyTest, ASourceChangedDuringTheCopyStaysAndNoCopyIsLeft) {
  TemporaryFolder folder;
  std::filesystem::create_directory(folder / "Album");
  expectChangedSourcesToStay(folder / "song.mp3", folder / "Album", PosixFileSystem::Moves::AlwaysCopy);
}

TEST(FileCopyTest, AFileAnotherProgramPutAtTheTargetStaysWhenTheCopyIsUndone) {
  TemporaryFolder folder;
  std::filesystem::create_directory(folder / "Album");
  const std::string source = folder / "song.mp3", target = folder / "Album/Title.mp3";
  writeFile(source, "music and a tag");
  SourceChangedMidCopy fileSystem(PosixFileSystem::Moves::AlwaysCopy, Moment::AfterTheNaming, [&] {
    saveOver(source, "a new version");
    saveOver(target, "theirs");
  });

  const Status moved = fileSystem.moveFile(source, target);

  EXPECT_THAT(moved.cause(), HasSubstr("changed or replaced by another program"));
  EXPECT_EQ(readFile(source), "a new version");
  EXPECT_EQ(readFile(target), "theirs");
}

// What a copy's progress was told, answering false from a given call on.
struct ProgressAnswers {
  int answerFalseFrom = 0;  // counted from 1; 0: always go on
  std::vector<std::pair<std::uint64_t, std::uint64_t>> told;

  platform::filesystem::CopyProgress hook() {
    return [this](std::uint64_t copied, std::uint64_t size) {
      told.emplace_back(copied, size);
      return answerFalseFrom == 0 || static_cast<int>(told.size()) < answerFalseFrom;
    };
  }
};

// A copy stopped by its progress leaves the source as it was and nothing in the
// target's folder; one that goes on was told its growth up to the whole size.
void expectProgressToGoOnOrAbandon(const std::string& source, const std::string& targetFolder,
                                   PosixFileSystem::Moves moves) {
  const std::string content(3 << 20 | 12345, 'p');  // three whole chunks and a part
  const std::string target = targetFolder + "/Title.mp3";
  for (const int answerFalseFrom : {1, 2, 4}) {
    SCOPED_TRACE("abandoned at call " + std::to_string(answerFalseFrom));
    writeFile(source, content);
    ProgressAnswers answers{answerFalseFrom, {}};
    const Status moved = PosixFileSystem(moves).moveFileWithProgress(source, target, answers.hook(), nullptr);
    EXPECT_EQ(moved.cause(), platform::filesystem::copyAbandoned);
    EXPECT_EQ(answers.told.size(), static_cast<std::size_t>(answerFalseFrom));
    EXPECT_TRUE(readFile(source) == content);
    EXPECT_THAT(entriesOf(targetFolder), testing::IsEmpty());
  }
  ProgressAnswers answers;
  const Status moved = PosixFileSystem(moves).moveFileWithProgress(source, target, answers.hook(), nullptr);
  ASSERT_TRUE(moved) << moved.reason();
  EXPECT_TRUE(readFile(target) == content);
  ASSERT_EQ(answers.told.size(), 4u);
  for (std::size_t i = 0; i < answers.told.size(); ++i) EXPECT_EQ(answers.told[i].second, content.size());
  EXPECT_EQ(answers.told.front().first, 1u << 20);
  EXPECT_EQ(answers.told.back().first, content.size());
}

TEST(FileCopyTest, ACopyAbandonedByItsProgressLeavesTheSourceAndNoCopy) {
  TemporaryFolder folder;
  std::filesystem::create_directory(folder / "Album");
  expectProgressToGoOnOrAbandon(folder / "song.mp3", folder / "Album", PosixFileSystem::Moves::AlwaysCopy);
}

// Source on a memory file system, target on /tmp's: the move really crosses volumes.
class TwoVolumesTest : public testing::Test {
 protected:
  void SetUp() override {
    struct stat shm {};
    struct stat tmp {};
    if (::stat("/dev/shm", &shm) != 0 || ::access("/dev/shm", W_OK) != 0 ||
        ::stat(targetVolume.path().c_str(), &tmp) != 0 || shm.st_dev == tmp.st_dev)
      GTEST_SKIP() << "needs /dev/shm and the temporary folder on two volumes";
    sourceVolume.emplace("/dev/shm");
    source = *sourceVolume / "song.mp3";
    writeFile(source, std::string(1500000, 's'));
    ::chmod(source.c_str(), 0600);
    struct timespec times[2] = {{1000000000, 0}, {1000000000, 0}};
    ::utimensat(AT_FDCWD, source.c_str(), times, 0);
  }

  TemporaryFolder targetVolume;
  std::optional<TemporaryFolder> sourceVolume;
  std::string source;
  PosixFileSystem fileSystem;
};

TEST_F(TwoVolumesTest, MovesAcrossVolumesKeepingContentModeAndTime) {
  const std::string target = targetVolume / "Title.mp3";
  const Status moved = fileSystem.moveFile(source, target);
  ASSERT_TRUE(moved) << moved.reason();
  EXPECT_FALSE(std::filesystem::exists(source));
  EXPECT_TRUE(readFile(target) == std::string(1500000, 's'));
  struct stat info {};
  ASSERT_EQ(::stat(target.c_str(), &info), 0);
  EXPECT_EQ(info.st_mode & 07777, 0600u);
  EXPECT_EQ(info.st_mtim.tv_sec, 1000000000);
  EXPECT_EQ(entriesOf(targetVolume.path()), std::vector<std::string>{"Title.mp3"});
}

TEST_F(TwoVolumesTest, AcrossVolumesNeverReplacesAndLeavesNoCopy) {
  const std::string target = targetVolume / "Title.mp3";
  writeFile(target, "filed earlier");
  const Status moved = fileSystem.moveFile(source, target);
  EXPECT_EQ(moved.cause(), "File exists");
  EXPECT_EQ(readFile(target), "filed earlier");
  EXPECT_EQ(std::filesystem::file_size(source), 1500000u);
  EXPECT_EQ(entriesOf(targetVolume.path()), std::vector<std::string>{"Title.mp3"});
}

TEST_F(TwoVolumesTest, ASourceChangedDuringTheCopyStaysAndNoCopyIsLeft) {
  expectChangedSourcesToStay(source, targetVolume.path(), PosixFileSystem::Moves::RenameWherePossible);
}

TEST_F(TwoVolumesTest, ACopyAbandonedByItsProgressLeavesTheSourceAndNoCopy) {
  expectProgressToGoOnOrAbandon(source, targetVolume.path(), PosixFileSystem::Moves::RenameWherePossible);
}

}  // namespace
