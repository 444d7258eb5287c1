#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/resource.h>
#include <unistd.h>

#include <cstdlib>

#include <tests/proof/ProofRun.h>

namespace tests::proof {
namespace {

// AddressSanitizer keeps freed memory in quarantine, so peaks say nothing there.
#if defined(__SANITIZE_ADDRESS__)
constexpr bool kPeakMemoryMeaningful = false;
#else
constexpr bool kPeakMemoryMeaningful = true;
#endif

long peakResidentKilobytes() {
  rusage usage{};
  ::getrusage(RUSAGE_SELF, &usage);
  return usage.ru_maxrss;
}

std::size_t countLines(const std::u16string& log) {
  std::size_t lines = 0;
  for (std::size_t at = 0; (at = log.find(u"\r\n", at)) != std::u16string::npos; at += 2) ++lines;
  return lines;
}

struct OneFolderRun {
  std::size_t logLines;
  int filed;
};

// `count` files in one folder, one in twenty tagged, the rest without a tag.
OneFolderRun runOverOneFolder(int count) {
  Collection collection(static_cast<unsigned>(count));
  for (int i = 0; i < count; ++i) {
    const std::string name = "track" + std::to_string(i) + ".mp3";
    if (i % 20 == 0)
      collection.add(name, {"Song " + std::to_string(i), "Artist " + std::to_string(i % 13), "Album"}, 16);
    else
      collection.addUntagged(name, 16);
  }
  FaultPlan plan;
  const support::RecordingRunView view = runImport(collection, plan);
  const Verdict verdict = collection.check();
  EXPECT_TRUE(verdict.problems.empty()) << describe(verdict);
  return {countLines(view.log), verdict.atTarget};
}

// Tens of thousands of files in one folder: every file gets its log line, and the
// run holds no more than a few hundred bytes a file. How its time grows with the
// number of files is measured by bench_importrun, not here.
// Larger (a log of 100,000 lines and more): MERVALIS_LIMITS_FILES=300000 proof_tests --gtest_filter=ResourceLimits.*
TEST(ResourceLimits, ManyFilesInOneFolderAreEachLoggedInBoundedMemory) {
  const char* configured = std::getenv("MERVALIS_LIMITS_FILES");
  const int files = configured && *configured ? std::atoi(configured) : 40000;
  const long peakBefore = peakResidentKilobytes();
  const OneFolderRun run = runOverOneFolder(files);
  EXPECT_EQ(run.logLines, static_cast<std::size_t>(files));
  EXPECT_EQ(run.filed, (files + 19) / 20);
  if (kPeakMemoryMeaningful) {
    EXPECT_LT(peakResidentKilobytes() - peakBefore, static_cast<long>(files) * 2);
  }
}

// A sparse file of 3 GiB with a tag at its end is filed whole: the move renames
// it and never reads it into memory.
TEST(ResourceLimits, ThreeGibibyteFileIsFiledWhole) {
  Collection collection;
  const std::string path = collection.source() + "/huge.mp3";
  const off_t size = off_t{3} << 30;
  const std::string head = "ID3 head of a very long recording";
  const std::string tail = tagTail({"Huge", "Artist", "Album"});
  {
    platform::filesystem::FileDescriptor file{::open(path.c_str(), O_WRONLY | O_CREAT | O_CLOEXEC, 0644)};
    ASSERT_TRUE(file.valid());
    ASSERT_EQ(::ftruncate(file.get(), size), 0);
    ASSERT_EQ(::pwrite(file.get(), head.data(), head.size(), 0), static_cast<ssize_t>(head.size()));
    ASSERT_EQ(::pwrite(file.get(), tail.data(), tail.size(), size - 128), 128);
  }
  const long peakBefore = peakResidentKilobytes();
  FaultPlan plan;
  const support::RecordingRunView view = runImport(collection, plan);
  EXPECT_EQ(view.summaryText(), "");
  const std::string target = collection.targetOf({"Huge", "Artist", "Album"});
  ASSERT_TRUE(std::filesystem::is_regular_file(target));
  EXPECT_FALSE(std::filesystem::exists(path));
  EXPECT_EQ(std::filesystem::file_size(target), static_cast<std::uintmax_t>(size));
  platform::filesystem::FileDescriptor filed{::open(target.c_str(), O_RDONLY | O_CLOEXEC)};
  std::string readHead(head.size(), '\0'), readTail(128, '\0');
  ASSERT_EQ(::pread(filed.get(), readHead.data(), readHead.size(), 0), static_cast<ssize_t>(head.size()));
  ASSERT_EQ(::pread(filed.get(), readTail.data(), 128, size - 128), 128);
  EXPECT_EQ(readHead, head);
  EXPECT_EQ(readTail, tail);
  EXPECT_EQ(support::RawDatabase(collection.catalogue()).rows("select FileName from MP3Info"),
            (std::vector<std::vector<std::string>>{{target}}));
  if (kPeakMemoryMeaningful) {
    EXPECT_LT(peakResidentKilobytes() - peakBefore, 64 * 1024);
  }
}

// Bytes 0xFF throughout: without the marker the file has no tag; behind "TAG"
// every field is thirty 0xFF characters, a valid name once in UTF-8.
TEST(ResourceLimits, TagOfAllOnesIsHandled) {
  Collection collection;
  collection.addBytes("ones.mp3", std::string(128, '\xff'), {});
  const Tag ones{std::string(30, '\xff'), std::string(30, '\xff'), std::string(30, '\xff')};
  collection.addBytes("tagged-ones.mp3", "music" + ("TAG" + std::string(125, '\xff')), ones);
  FaultPlan plan;
  const support::RecordingRunView view = runImport(collection, plan);
  const Verdict verdict = collection.check();
  EXPECT_TRUE(verdict.problems.empty()) << describe(verdict);
  EXPECT_EQ(verdict.atTarget, 1);
  EXPECT_EQ(verdict.rows, 1);
  EXPECT_EQ(view.logText(), "\r\nones.mp3 Error - No Title\r\ntagged-ones.mp3");
}

// Names of 255 bytes are filed; a destination so deep that the target outgrows
// the longest path the system takes gives a clear error and loses nothing.
TEST(ResourceLimits, PathsAtTheSystemLimitLoseNothing) {
  Collection collection;
  std::string deep = collection.root() + "/deep";
  while (deep.size() < PATH_MAX - 60)
    deep += "/" + std::string(std::min<std::size_t>(200, PATH_MAX - 60 - deep.size()), 'd');
  std::filesystem::create_directories(deep);
  collection.setDestination(deep);
  const std::string longName = std::string(251, 'n') + ".mp3";
  collection.add(longName, {"Long Name", "Artist", "Album"});
  collection.add("short.mp3", {"A Title Of Thirty Characters..", "An Artist Of Thirty Characters", "An Album"});

  FaultPlan plan;
  const support::RecordingRunView view = runImport(collection, plan);
  const Verdict verdict = collection.check();
  EXPECT_TRUE(verdict.problems.empty()) << describe(verdict);
  EXPECT_EQ(verdict.atTarget, 1);  // the long name
  EXPECT_EQ(verdict.rows, 1);
  // Told before any folder is made for it.
  EXPECT_NE(view.summaryText().find("short.mp3 - Not filed: the path \"" + deep + "/An Artist"), std::string::npos)
      << view.summaryText();
  EXPECT_NE(view.summaryText().find("\" would be too long"), std::string::npos) << view.summaryText();
  EXPECT_FALSE(std::filesystem::exists(deep + "/An Artist Of Thirty Characters"));
}

}  // namespace
}  // namespace tests::proof
