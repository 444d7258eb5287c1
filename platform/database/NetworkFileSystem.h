#pragma once

#include <string>

namespace platform::database {

// True when the file lies on a file system shared over a network, where the
// shared memory of write-ahead logging does not work across machines.
bool onNetworkFileSystem(const std::string& path);

}  // namespace platform::database
