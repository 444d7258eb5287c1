#pragma once

#include "status/Status.h"

#include <string>
#include <vector>

namespace platform::filesystem {

using platform::Result;
using platform::Status;

// Names of the entries of one folder, bare (without the folder), sorted bytewise.
struct NameList {
  Status status = Status::success();
  std::vector<std::string> names;
};

}  // namespace platform::filesystem
