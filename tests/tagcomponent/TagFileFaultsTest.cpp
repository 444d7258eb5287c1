#include <platform/automation/ComObject.h>
#include <tagcomponent/Lyrebox.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>
#include <filesystem>

#include <tests/support/TagTestSupport.h>

namespace {

using tagcomponent::FileCalls;
using tagcomponent::Lyrebox;
using namespace tests::support;
namespace fs = std::filesystem;

enum class Call { Stat, Open, Pread, Pwrite, Close };

// The real calls, except that the nth call of one kind fails with a chosen errno.
// A failing close still closes, as close(2) does.
class FailingCalls : public FileCalls {
 public:
  FailingCalls(Call call, int error, int nth = 1) : call_(call), error_(error), nth_(nth) {}

  int stat(const char* path, struct ::stat* status) const override {
    return failsNow(Call::Stat) ? -1 : FileCalls::stat(path, status);
  }
  int open(const char* path, int flags) const override {
    return failsNow(Call::Open) ? -1 : FileCalls::open(path, flags);
  }
  ssize_t pread(int fd, void* buffer, size_t count, off_t offset) const override {
    return failsNow(Call::Pread) ? -1 : FileCalls::pread(fd, buffer, count, offset);
  }
  ssize_t pwrite(int fd, const void* buffer, size_t count, off_t offset) const override {
    return failsNow(Call::Pwrite) ? -1 : FileCalls::pwrite(fd, buffer, count, offset);
  }
  int close(int fd) const override {
    const bool fail = failsNow(Call::Close);
    FileCalls::close(fd);
    if (fail) errno = error_;
    return fail ? -1 : 0;
  }

 private:
  bool failsNow(Call call) const {
    if (call != call_ || ++seen_ != nth_) return false;
    errno = error_;
    return true;
  }
  Call call_;
  int error_;
  int nth_;
  mutable int seen_ = 0;
};

// Writes part of what it is asked to, then finds the disk full.
class DiskFullHalfway : public FileCalls {
 public:
  ssize_t pwrite(int fd, const void* buffer, size_t count, off_t offset) const override {
    if (count > 50) return FileCalls::pwrite(fd, buffer, 50, offset);
    errno = ENOSPC;
    return -1;
  }
};

TEST(FileErrorNumbers, FollowTheClassicNumbering) {
  const std::pair<int, std::int32_t> table[] = {
      {ENOENT, 53},  {EACCES, 70}, {EPERM, 70},  {EROFS, 75},  {ENOSPC, 61}, {EDQUOT, 61},       {EIO, 57},
      {ENOTDIR, 76}, {EMFILE, 67}, {ENFILE, 67}, {EINVAL, 75}, {ELOOP, 75},  {ENAMETOOLONG, 75},
  };
  for (const auto& [error, number] : table) EXPECT_EQ(tagcomponent::fileErrorNumber(error), number) << strerror(error);
}

class TagFileFaults : public ::testing::Test {
 protected:
  fs::path file(const Bytes& bytes) {
    const fs::path path = folder / "song.mp3";
    writeBytes(path, bytes);
    return path;
  }
  static std::int32_t save(Lyrebox& control) {
    std::int32_t result = -1;
    EXPECT_EQ(control.SaveTag(&result), platform::automation::S_OK);
    return result;
  }
  TemporaryFolder folder;
};

TEST_F(TagFileFaults, SaveReportsTheFailingCallsNumberAndLeavesTheFileAsItWas) {
  struct Case {
    const char* what;
    Call call;
    int error;
    int nth;
    bool tagged;
    std::int32_t result;
  };
  // An untagged file here is shorter than 128 bytes, so only the write opens it:
  // load stat; save stat, open, pwrite, close. A tagged file is opened by the
  // load (open, pread, close), the marker probe and the write.
  const Case cases[] = {
      {"search fails", Call::Stat, EIO, 2, false, 57},
      {"search finds no folder", Call::Stat, ENOTDIR, 2, false, 53},
      {"marker cannot be opened", Call::Open, EIO, 2, true, 57},
      {"marker cannot be read", Call::Pread, EIO, 2, true, 57},
      {"closing the marker read fails", Call::Close, EIO, 2, true, 57},
      {"no file handles left", Call::Open, EMFILE, 1, false, 67},
      {"system out of handles", Call::Open, ENFILE, 1, false, 67},
      {"access refused", Call::Open, EACCES, 1, false, 70},
      {"operation not permitted", Call::Open, EPERM, 1, false, 70},
      {"read-only file system", Call::Open, EROFS, 1, false, 75},
      {"vanished before writing", Call::Open, ENOENT, 3, true, 53},
      {"folder vanished before writing", Call::Open, ENOTDIR, 3, true, 76},
      {"device error while writing", Call::Pwrite, EIO, 1, false, 57},
      {"disk full at once", Call::Pwrite, ENOSPC, 1, false, 61},
      {"quota exceeded", Call::Pwrite, EDQUOT, 1, false, 61},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    const Bytes content = c.tagged ? concat(filler(200), tagBytes({.title = "Old"})) : filler(100);
    const fs::path path = file(content);
    FailingCalls calls(c.call, c.error, c.nth);
    const auto object = platform::automation::makeObject<Lyrebox>(calls);
    Lyrebox& control = *object;
    control.put_MP3_FileName(u16(path));  // the load makes the first stat call
    control.put_ID3tag_Title(u"New");
    EXPECT_EQ(save(control), c.result);
    EXPECT_EQ(readBytes(path), content);
  }
}

TEST_F(TagFileFaults, AFailingCloseAfterWritingIsReported) {
  const fs::path path = file(filler(90));
  FailingCalls calls(Call::Close, EIO);
  const auto object = platform::automation::makeObject<Lyrebox>(calls);
  Lyrebox& control = *object;
  control.put_MP3_FileName(u16(path));
  EXPECT_EQ(save(control), 57);
}

TEST_F(TagFileFaults, AnAppendThatRunsOutOfSpaceIsCutBackToTheOldLength) {
  const Bytes content = filler(700);
  const fs::path path = file(content);
  DiskFullHalfway calls;
  const auto object = platform::automation::makeObject<Lyrebox>(calls);
  Lyrebox& control = *object;
  control.put_MP3_FileName(u16(path));
  EXPECT_EQ(save(control), 61);
  EXPECT_EQ(readBytes(path), content);
  EXPECT_EQ(control.record().Marker.text(), u"TAG");
}

TEST_F(TagFileFaults, AReplaceThatRunsOutOfSpaceKeepsTheLength) {
  const fs::path path = file(concat(filler(700), tagBytes({.title = "Old"})));
  DiskFullHalfway calls;
  const auto object = platform::automation::makeObject<Lyrebox>(calls);
  Lyrebox& control = *object;
  control.put_MP3_FileName(u16(path));
  EXPECT_EQ(save(control), 61);
  EXPECT_EQ(fs::file_size(path), 828u);
}

TEST_F(TagFileFaults, ALoadThatCannotReadKeepsTheNameAndShowsTheNoTagValues) {
  for (Call call : {Call::Open, Call::Pread}) {
    const fs::path path = file(concat(filler(10), tagBytes({.title = "Unreadable"})));
    FailingCalls calls(call, EIO);
    const auto object = platform::automation::makeObject<Lyrebox>(calls);
    Lyrebox& control = *object;
    control.put_ID3tag_Title(u"Before");
    control.put_MP3_FileName(u16(path));
    std::u16string name, title;
    control.get_MP3_FileName(&name);
    control.get_ID3tag_Title(&title);
    EXPECT_EQ(name, u16(path));
    EXPECT_EQ(title, u"");
  }
}

TEST_F(TagFileFaults, ALoadWhoseSearchFailsCountsTheNameAsNotFound) {
  const fs::path path = file(concat(filler(10), tagBytes({.title = "Unreached"})));
  FailingCalls calls(Call::Stat, EIO);
  const auto object = platform::automation::makeObject<Lyrebox>(calls);
  Lyrebox& control = *object;
  control.put_ID3tag_Title(u"Kept");
  control.put_MP3_FileName(u16(path));
  std::u16string name = u"x", title;
  control.get_MP3_FileName(&name);
  control.get_ID3tag_Title(&title);
  EXPECT_EQ(name, u"");
  EXPECT_EQ(title, u"Kept");
}

}  // namespace
