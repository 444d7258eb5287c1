#include <platform/filesystem/ListOrder.h>

#include <platform/text/NameCase.h>

#include <algorithm>
#include <cstddef>
#include <numeric>
#include <string>

namespace platform::filesystem {

void sortInListOrder(std::vector<Entry>& entries) {
  std::vector<std::string> keys(entries.size());
  for (std::size_t i = 0; i < entries.size(); ++i) {
    // All-ASCII keys, ties broken by the names' bytes, give the list order, each
    // name folded once rather than at every comparison of the sort.
    if (!text::foldedIfAscii(entries[i].name, keys[i])) {
      std::sort(entries.begin(), entries.end(),
                [](const Entry& a, const Entry& b) { return text::inListOrder(a.name, b.name); });
      return;
    }
  }
  std::vector<std::size_t> order(entries.size());
  std::iota(order.begin(), order.end(), std::size_t{0});
  std::sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) {
    if (const int byKey = keys[a].compare(keys[b]); byKey != 0) return byKey < 0;
    return entries[a].name < entries[b].name;
  });
  std::vector<Entry> sorted;
  sorted.reserve(entries.size());
  for (const std::size_t at : order) sorted.push_back(std::move(entries[at]));
  entries = std::move(sorted);
}

}  // namespace platform::filesystem
