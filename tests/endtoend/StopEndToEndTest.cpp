// A run the person stops, as the program files: the registered Lyrebox.ocx, real
// folders (on two volumes where a copy is to be stopped) and a real catalogue.
#include <platform/events/PendingEvents.h>
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <optional>
#include <random>

#include <tests/endtoend/RealRun.h>

using namespace administrator::catalogue;

namespace {

namespace fs = std::filesystem;
using tests::endtoend::CatalogueRow;
using tests::endtoend::Tag;

std::u16string u16(const std::string& utf8) { return fs::path(utf8).u16string(); }

std::vector<fs::path> filesBelow(const fs::path& folder) {
  std::vector<fs::path> found;
  for (const auto& entry : fs::recursive_directory_iterator(folder))
    if (!entry.is_directory()) found.push_back(entry.path());
  return found;
}

class StopEndToEnd : public tests::endtoend::RealRun {
 protected:
  void TearDown() override { platform::events::setPendingEventsHandler({}); }

  // A tagged file whose title is its name without ".mp3".
  void put(const fs::path& path, std::size_t audioBytes = 512) {
    const Tag tag{path.stem().string(), "Artist", "Album"};
    write(path, &tag, audioBytes);
    order.push_back(path);
  }
  fs::path targetOf(const fs::path& root, const fs::path& source) const {
    return root / "Artist" / "Album" / (source.stem().string() + ".mp3");
  }
  void run(const fs::path& source, const fs::path& root) { RealRun::run(source, root, view); }
  // The first `visited` files of `order` filed with their rows, the others
  // untouched where they were.
  void expectFiledUpTo(std::size_t visited, const fs::path& root) {
    std::vector<CatalogueRow> rows;
    for (std::size_t i = 0; i < order.size(); ++i) {
      const fs::path& source = order[i];
      const fs::path target = targetOf(root, source);
      if (i < visited) {
        EXPECT_FALSE(fs::exists(source)) << source;
        EXPECT_EQ(tests::endtoend::readWholeFile(target), contents[source]) << target;
        rows.push_back({source.stem().string(), "Artist", "Album", target.string()});
      } else {
        EXPECT_EQ(tests::endtoend::readWholeFile(source), contents[source]) << source;
        EXPECT_FALSE(fs::exists(target)) << target;
      }
    }
    EXPECT_EQ(tests::endtoend::catalogueRows(catalogue.string()), rows);
  }

  std::vector<fs::path> order;  // as the run visits them
  tests::support::RecordingRunView view;
};

// The request comes while the component reads the tag of a file chosen at random,
// as a click on Stop does; that file is filed whole, nothing after it is touched.
TEST_F(StopEndToEnd, AStopAtARandomFileFilesTheFileInHandAndTouchesNothingAfterIt) {
  const fs::path source = folder.path() / "source", root = folder.path() / "filed";
  fs::create_directories(root);
  for (const char* name : {"01", "02", "03", "04", "05"}) put(source / (std::string(name) + ".mp3"));
  for (const char* name : {"06", "07", "08", "09", "10"}) put(source / "sub" / (std::string(name) + ".mp3"));
  const unsigned seed = std::random_device{}();
  const std::size_t inHand = 1 + std::mt19937(seed)() % order.size();
  SCOPED_TRACE("seed " + std::to_string(seed) + ": stopped while reading file " + std::to_string(inHand));
  platform::events::setPendingEventsHandler([&] { view.asked |= view.filesDone == inHand - 1; });

  run(source, root);

  expectFiledUpTo(inHand, root);
  const std::size_t remaining = order.size() - inHand;
  if (remaining == 0) {
    EXPECT_EQ(view.summary().find(u"Stopped"), std::u16string::npos);
    return;
  }
  const std::u16string stop = u"\r\nStopped after " + u16(std::to_string(inHand)) + u" of 10 files. " +
                              (remaining == 1 ? u"The remaining file was not visited and stays where it is."
                                              : u"The remaining " + u16(std::to_string(remaining)) +
                                                    u" files were not visited and stay where they are.");
  EXPECT_TRUE(view.log.ends_with(stop));
  EXPECT_EQ(view.summary(), stop);
}

bool onTwoVolumes(const fs::path& folder) {
  struct stat shm {};
  struct stat tmp {};
  return ::stat("/dev/shm", &shm) == 0 && ::access("/dev/shm", W_OK) == 0 && ::stat(folder.c_str(), &tmp) == 0 &&
         shm.st_dev != tmp.st_dev;
}

// Source on a memory file system, the tree and the catalogue on the temporary
// folder's; the second file is copied in several chunks.
class StopBetweenVolumes : public StopEndToEnd {
 protected:
  void SetUp() override {
    if (!onTwoVolumes(folder.path())) GTEST_SKIP() << "needs /dev/shm and the temporary folder on two volumes";
    StopEndToEnd::SetUp();
    sourceVolume.emplace("/dev/shm");
    source = sourceVolume->path();
    fs::create_directories(root);
    put(source / "1.mp3");
    put(source / "2.mp3", 3 << 20);
    put(source / "3.mp3");
  }
  std::optional<tests::support::TemporaryFolder> sourceVolume;
  fs::path source;
  const fs::path root = folder.path() / "filed";
};

// The person asks while the second file's tag is read: its copy has not begun, so
// it is filed whole before the run ends.
TEST_F(StopBetweenVolumes, AStopBeforeTheCopyBeginsLetsTheFileInHandBeCopiedWhole) {
  platform::events::setPendingEventsHandler([&] { view.asked |= view.filesDone == 1; });

  run(source, root);

  expectFiledUpTo(2, root);
  EXPECT_EQ(view.summary(),
            u"\r\nStopped after 2 of 3 files. The remaining file was not visited and stays where it is.");
}

// The person asks while the second file is being copied.
TEST_F(StopBetweenVolumes, AStopDuringTheCopyLeavesTheSourceAndNoPartialCopy) {
  // The first yield after a file is the one between files; the next is the second
  // file's copy telling its progress.
  view.askNow = [&] { return view.filesDone == 1 && view.yieldsSinceFile == 2; };

  run(source, root);

  expectFiledUpTo(1, root);
  EXPECT_EQ(filesBelow(root), std::vector<fs::path>{targetOf(root, order[0])});
  EXPECT_EQ(view.summary(), u"\r\n" + u16(order[1].string()) +
                                u" - Not moved: the run was stopped while it was being copied"
                                u"\r\nStopped after 2 of 3 files. The remaining file was not visited and stays "
                                u"where it is.");
  EXPECT_TRUE(
      view.log.ends_with(u"\r\n2.mp3 Error - Not moved: the run was stopped while it was being copied"
                         u"\r\nStopped after 2 of 3 files. The remaining file was not visited and stays "
                         u"where it is."));
}

}  // namespace
