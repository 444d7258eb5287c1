#pragma once

#include <platform/status/Status.h>

#include <string>
#include <vector>

namespace platform::filesystem {

using status::Result;
using status::Status;

// What a folder entry is, told without following a symbolic link.
enum class EntryKind { File, Folder, SymbolicLink, Other };

struct Entry {
  std::string name;  // bare, without the folder
  EntryKind kind = EntryKind::File;
  bool operator==(const Entry&) const = default;
};

// Entries of one folder in the order lists show them to people.
struct Listing {
  status::Status status = status::Status::success();
  std::vector<Entry> entries;
};

}  // namespace platform::filesystem
