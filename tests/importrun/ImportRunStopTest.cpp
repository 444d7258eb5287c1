#include <gtest/gtest.h>

#include <platform/text/Utf.h>

#include <tests/importrun/RunFakes.h>

namespace tests::importrun {
namespace {

std::u16string u16(const std::string& ascii) { return std::u16string(ascii.begin(), ascii.end()); }

// In visiting order; "-" files have no tag.
const std::vector<std::string> kFiles = {"/src/a.mp3",     "/src/b-.mp3",     "/src/c.mp3",
                                         "/src/sub/d.mp3", "/src/sub/e-.mp3", "/src/sub/f.mp3"};
bool isTagged(const std::string& path) { return path.find('-') == std::string::npos; }
std::string targetOf(const std::string& path) {
  const std::string name = path.substr(path.rfind('/') + 1);
  return "/dest/Ar/Al/" + name;
}

enum class AskedDuring { TheCatalogueOpening, TagRead, Move, YieldAfterTheFile };

// Whichever file the stop comes at, and whenever while it is in hand: every file
// before it and the file itself are filed (with their rows) or left as a whole,
// nothing after it is read or moved, and log and summary end saying so.
TEST(ImportRunStop, TheFileInHandEndsAsAWholeAndNothingAfterItIsTouched) {
  for (const AskedDuring when :
       {AskedDuring::TheCatalogueOpening, AskedDuring::TagRead, AskedDuring::Move, AskedDuring::YieldAfterTheFile}) {
    for (std::size_t inHand = 0; inHand < kFiles.size(); ++inHand) {
      const std::string& stopFile = kFiles[inHand];
      if (when == AskedDuring::Move && !isTagged(stopFile)) continue;     // never moved
      if (when == AskedDuring::TheCatalogueOpening && inHand > 0) break;  // no file in hand yet
      SCOPED_TRACE("asked during file " + stopFile + ", moment " + std::to_string(static_cast<int>(when)));
      FakeRun fake;
      auto& [reader, disk, catalogue, view] = fake;
      disk.folders = {"/src", "/src/sub", "/dest", "/db"};
      for (const std::string& path : kFiles) {
        disk.addFile(path, path);
        if (isTagged(path)) reader.tags[u16(path)] = {u16(path.substr(path.rfind('/') + 1, 1)), u"Al", u"Ar"};
      }
      if (when == AskedDuring::TagRead)
        reader.onLoad = [&](const std::u16string& path) { view.asked |= path == u16(stopFile); };
      if (when == AskedDuring::Move) disk.onMove = [&](const std::string& path) { view.asked |= path == stopFile; };
      if (when == AskedDuring::YieldAfterTheFile) view.askNow = [&] { return view.filesDone == inHand + 1; };
      view.asked = when == AskedDuring::TheCatalogueOpening;

      const administrator::importrun::RunResult result = fake.run({"/db/Catalogue.mdb", "/src", "/dest"});

      const std::size_t visited = when == AskedDuring::TheCatalogueOpening ? 0 : inHand + 1;
      const bool last = visited == kFiles.size();
      std::vector<Row> rows;
      for (std::size_t i = 0; i < kFiles.size(); ++i) {
        const std::string& path = kFiles[i];
        const bool filed = i < visited && isTagged(path);
        if (filed) rows.push_back({path.substr(path.rfind('/') + 1, 1), "Ar", "Al", targetOf(path)});
        EXPECT_EQ(disk.files.count(path), filed ? 0u : 1u) << path;
        EXPECT_EQ(disk.files.count(targetOf(path)), filed ? 1u : 0u) << path;
      }
      EXPECT_EQ(catalogue.rows, rows);
      EXPECT_EQ(reader.loads.size(), visited);
      EXPECT_EQ(result.stopped, !last);
      EXPECT_EQ(result.filed + result.left, visited);
      EXPECT_EQ(view.filesDone, visited);
      const std::size_t remaining = kFiles.size() - visited;
      const std::u16string stopLine = u"\r\nStopped after " + u16(std::to_string(visited)) + u" of 6 files. " +
                                      (remaining == 1 ? u"The remaining file was not visited and stays where it is."
                                                      : u"The remaining " + u16(std::to_string(remaining)) +
                                                            u" files were not visited and stay where they are.");
      ASSERT_EQ(view.summaries.size(), 1u);
      const std::u16string& summary = view.summaries[0];
      if (last) {
        EXPECT_EQ(view.log.find(u"Stopped"), std::u16string::npos);
        continue;
      }
      EXPECT_TRUE(view.log.ends_with(stopLine)) << platform::text::utf8FromUtf16(view.log);
      EXPECT_TRUE(summary.ends_with(stopLine)) << platform::text::utf8FromUtf16(summary);
      // The untagged files visited before the stop are listed as left, as in any run.
      EXPECT_EQ(summary.find(u"/src/b-.mp3 - No Title") != std::u16string::npos, visited > 1);
      EXPECT_EQ(catalogue.closes, 1);
    }
  }
}

}  // namespace
}  // namespace tests::importrun
