#pragma once

#include <platform/filesystem/Status.h>

#include <string>
#include <system_error>

namespace platform::filesystem {

inline std::string quoted(const std::string& path) { return "\"" + path + "\""; }

// A failure of the attempt, caused as the system's text for the error says.
inline status::Status systemFailure(const std::string& attempt, int error) {
  return status::Status::failure(attempt, std::generic_category().message(error));
}

}  // namespace platform::filesystem
