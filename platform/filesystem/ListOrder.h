#pragma once

#include <platform/filesystem/Status.h>

#include <vector>

namespace platform::filesystem {

// Puts entries in the order lists show them (text::inListOrder).
void sortInListOrder(std::vector<Entry>& entries);

}  // namespace platform::filesystem
