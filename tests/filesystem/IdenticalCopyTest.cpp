#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <functional>

#include "filesystem/PosixFileSystem.h"
#include "filesystem/TemporaryFolder.h"

namespace {

using platform::filesystem::PosixFileSystem;
using testing_support::readFile;
using testing_support::TemporaryFolder;
using testing_support::writeFile;

// Only a whole, separate copy is removed; in every other case both names keep
// exactly what they held.
TEST(IdenticalCopy, OnlyAWholeSeparateCopyIsRemoved) {
  const std::string music(3 << 20, 'm');  // more than one compared chunk
  std::string lastByteDiffers = music;
  lastByteDiffers.back() = 'x';
  struct Case {
    std::string name;
    std::function<void(const std::string& copy, const std::string& original)> make;
    bool removed;
    std::string cause;
  } cases[] = {
      {"a whole copy", [&](auto& copy, auto& original) { writeFile(original, music), writeFile(copy, music); }, true,
       ""},
      {"a copy cut short",
       [&](auto& copy, auto& original) { writeFile(original, music), writeFile(copy, music.substr(0, 1000)); }, false,
       "the two files differ"},
      {"the same size, the last byte differs",
       [&](auto& copy, auto& original) { writeFile(original, music), writeFile(copy, lastByteDiffers); }, false,
       "the two files differ"},
      {"two names of one file",
       [&](auto& copy, auto& original) { writeFile(original, music), ::link(original.c_str(), copy.c_str()); }, false,
       "both names are of one file"},
      {"a link to the original",
       [&](auto& copy, auto& original) { writeFile(original, music), ::symlink(original.c_str(), copy.c_str()); },
       false, "Too many levels of symbolic links"},
      {"no copy", [&](auto&, auto& original) { writeFile(original, music); }, false, "No such file or directory"},
      {"no original", [&](auto& copy, auto&) { writeFile(copy, music); }, false, "No such file or directory"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    TemporaryFolder folder;
    const std::string copy = folder / "copy.mp3", original = folder / "original.mp3";
    c.make(copy, original);
    const bool copyWasThere = std::filesystem::exists(std::filesystem::symlink_status(copy));
    const std::string copyBefore = copyWasThere ? readFile(copy) : "";

    PosixFileSystem files;
    const auto status = files.removeIdenticalCopy(copy, original);

    EXPECT_EQ(static_cast<bool>(status), c.removed) << status.reason();
    EXPECT_EQ(status.cause(), c.removed ? "" : c.cause);
    EXPECT_EQ(std::filesystem::exists(std::filesystem::symlink_status(copy)), copyWasThere && !c.removed);
    const bool copyKept = copyWasThere && !c.removed;
    EXPECT_TRUE(!copyKept || readFile(copy) == copyBefore);
    EXPECT_TRUE(!std::filesystem::exists(original) || readFile(original) == music);
  }
}

}  // namespace
