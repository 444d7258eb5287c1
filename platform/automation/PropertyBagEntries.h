#pragma once
#include <cstddef>
#include <string>
#include <vector>

#include <platform/automation/Variant.h>

namespace platform::automation {

// One stored property of a bag; bags keep them in the order they were first written.
struct BagEntry {
  std::u16string key;
  Variant value;

  friend bool operator==(const BagEntry&, const BagEntry&) = default;
};
using BagEntries = std::vector<BagEntry>;

// The entry named `key` (letter case ignored), or null.
const BagEntry* findBagEntry(const BagEntries& entries, std::u16string_view key);

}  // namespace platform::automation
