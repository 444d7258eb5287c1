#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <optional>

#include <platform/filesystem/PosixFileSystem.h>
#include <tests/support/TemporaryFolder.h>

namespace {

using platform::filesystem::PosixFileSystem;
using namespace tests::support;

// Only a whole, separate copy is removed; in every other case both names keep
// exactly what they held.
TEST(IdenticalCopy, OnlyAWholeSeparateCopyIsRemoved) {
  const std::string music(3 << 20, 'm');  // more than one compared chunk
  std::string lastByteDiffers = music;
  lastByteDiffers.back() = 'x';
  enum class Copy { None, File, HardLink, SymbolicLink };
  struct Case {
    std::string name;
    bool original;
    Copy copy;
    std::string copyContent;  // for Copy::File
    std::string cause;        // empty when the copy is removed
  } cases[] = {
      {"a whole copy", true, Copy::File, music, ""},
      {"a copy cut short", true, Copy::File, music.substr(0, 1000), "the two files differ"},
      {"the same size, the last byte differs", true, Copy::File, lastByteDiffers, "the two files differ"},
      {"two names of one file", true, Copy::HardLink, "", "both names are of one file"},
      {"a link to the original", true, Copy::SymbolicLink, "", "Too many levels of symbolic links"},
      {"no copy", true, Copy::None, "", "No such file or directory"},
      {"no original", false, Copy::File, music, "No such file or directory"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    TemporaryFolder folder;
    const std::string copy = folder / "copy.mp3", original = folder / "original.mp3";
    if (c.original) writeFile(original, music);
    if (c.copy == Copy::File) writeFile(copy, c.copyContent);
    if (c.copy == Copy::HardLink) {
      ASSERT_EQ(::link(original.c_str(), copy.c_str()), 0);
    }
    if (c.copy == Copy::SymbolicLink) {
      ASSERT_EQ(::symlink(original.c_str(), copy.c_str()), 0);
    }
    const std::string copyBefore = c.copy == Copy::None ? "" : readFile(copy);

    const auto status = PosixFileSystem().removeIdenticalCopy(copy, original);

    const bool removed = c.cause.empty();
    EXPECT_EQ(static_cast<bool>(status), removed) << status.reason();
    EXPECT_EQ(status.cause(), c.cause);
    const bool copyKept = c.copy != Copy::None && !removed;
    EXPECT_EQ(std::filesystem::exists(std::filesystem::symlink_status(copy)), copyKept);
    EXPECT_TRUE(!copyKept || readFile(copy) == copyBefore);
    EXPECT_TRUE(!c.original || readFile(original) == music);
  }
}

}  // namespace
