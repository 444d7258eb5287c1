#include <gtest/gtest.h>

#include <administrator/importrun/ChosenTargets.h>

#include <string>

using namespace administrator::importrun;

namespace {

std::string target(std::size_t i) {
  return "/dest/Artist " + std::to_string(i % 70) + "/Album/Title " + std::to_string(i) + ".mp3";
}

// Enough targets to grow the table many times over, with releases among them.
TEST(ChosenTargets, EachTargetKeepsItsFirstChooserThroughGrowthAndRelease) {
  constexpr std::size_t kTargets = 5000;
  ChosenTargets chosen;
  for (std::size_t i = 0; i < kTargets; ++i) ASSERT_FALSE(chosen.choose(target(i), {0, i})) << i;
  for (std::size_t i = 0; i < kTargets; ++i) {
    const auto first = chosen.choose(target(i), {1, i});
    ASSERT_TRUE(first) << i;
    EXPECT_EQ(first->folder, 0u);
    EXPECT_EQ(first->entry, i);
  }
  for (std::size_t i = 0; i < kTargets; i += 2) chosen.release(target(i));
  for (std::size_t i = 0; i < kTargets; ++i) EXPECT_EQ(chosen.chooser(target(i)).has_value(), i % 2 == 1) << i;
  for (std::size_t i = 0; i < kTargets; i += 2) EXPECT_FALSE(chosen.choose(target(i), {2, i})) << i;
  for (std::size_t i = 0; i < kTargets; ++i) {
    const auto who = chosen.chooser(target(i));
    ASSERT_TRUE(who) << i;
    EXPECT_EQ(who->folder, i % 2 == 1 ? 0u : 2u) << i;
    EXPECT_EQ(who->entry, i);
  }
  EXPECT_FALSE(chosen.chooser("/dest/Artist 1/Album/Title 5000.mp3"));
}

TEST(ChosenTargets, TargetsThatShareTheirBeginningAreApart) {
  ChosenTargets chosen;
  const std::string targets[] = {"/d/a.mp3", "/d/a.mp", "/d/a.mp3 ", "/d/A.mp3", "/d/a.mp4", ""};
  for (std::size_t i = 0; i < std::size(targets); ++i) EXPECT_FALSE(chosen.choose(targets[i], {0, i})) << i;
  for (std::size_t i = 0; i < std::size(targets); ++i) EXPECT_EQ(chosen.chooser(targets[i])->entry, i) << i;
  chosen.release("/d/a.mp3");
  EXPECT_FALSE(chosen.chooser("/d/a.mp3"));
  EXPECT_TRUE(chosen.chooser("/d/a.mp3 "));
}

}  // namespace
