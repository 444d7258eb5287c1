#pragma once
// A run as the program files, for the suites that drive one without the window:
// Lyrebox.ocx registered in a private registry, an empty catalogue in a temporary
// folder, and the program's own assembly.
#include <gtest/gtest.h>
#include <tests/support/RecordingRunView.h>
#include <tests/support/TemporaryFolder.h>

#include <administrator/assembly/RunAssembly.h>

#include <filesystem>
#include <map>
#include <string>

#include <tests/endtoend/MusicFolder.h>

namespace tests::endtoend {

class RealRun : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string why;
    ASSERT_TRUE(registerLyrebox(why)) << why;
    lyrebox = createLyrebox(why);
    ASSERT_TRUE(lyrebox) << why;
    createCatalogue(catalogue);
  }

  // Files `source` into `root`, showing the run in `view`.
  void run(const std::filesystem::path& source, const std::filesystem::path& root, support::RecordingRunView& view) {
    administrator::assembly::RunAssembly(lyrebox).run({catalogue.string(), source.string(), root.string()}, view);
  }
  // A music file whose bytes are kept, to find them again wherever the run puts them.
  void write(const std::filesystem::path& path, const Tag* tag, std::size_t audioBytes = 512) {
    std::filesystem::create_directories(path.parent_path());
    writeMusicFile(path, tag, audioBytes);
    contents[path] = readWholeFile(path);
  }

  support::RegistryInTemporaryFolder registry;
  support::TemporaryFolder folder;
  const std::filesystem::path catalogue = folder / "Catalogue.mdb";
  platform::automation::ComPtr<platform::automation::IDispatch> lyrebox;
  std::map<std::filesystem::path, std::string> contents;
};

}  // namespace tests::endtoend
