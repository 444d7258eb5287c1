// Names sorted by keys folded once come out in the list order.
#include <gtest/gtest.h>

#include <platform/filesystem/ListOrder.h>

#include <string>
#include <vector>

using namespace platform::filesystem;

namespace {

struct OrderCase {
  std::vector<std::string> given, expected;
};

const OrderCase kCases[] = {
    {{"b lower.mp3", "C upper.mp3", "a.mp3"}, {"a.mp3", "b lower.mp3", "C upper.mp3"}},
    {{"b.mp3", "B.mp3"}, {"B.mp3", "b.mp3"}},                        // a tie goes by the bytes
    {{"abc", "ab", "AB", "a", "A"}, {"A", "a", "AB", "ab", "abc"}},  // shorter first
    {{"a", "B", "_x", "[y"}, {"[y", "_x", "a", "B"}},                // capitals count as small letters
    {{"Zoo", "\303\251clair", "apple", "\303\211clair"}, {"apple", "Zoo", "\303\211clair", "\303\251clair"}},
    {{}, {}},
};

TEST(ListOrder, NamesComeInListOrder) {
  for (const auto& c : kCases) {
    std::vector<Entry> entries;
    for (const auto& name : c.given) entries.push_back({name, EntryKind::File});
    sortInListOrder(entries);
    std::vector<std::string> names;
    for (const auto& entry : entries) names.push_back(entry.name);
    EXPECT_EQ(names, c.expected);
  }
}

}  // namespace
