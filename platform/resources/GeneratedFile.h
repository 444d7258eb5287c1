#pragma once
// Output of the build-time resource generators. A file is written beside its
// destination and renamed over it, so a failed run never leaves a half-written
// file that the build would take as up to date.
#include <filesystem>
#include <string>
#include <string_view>

namespace platform::resources {

// Returns an empty string on success, else a message naming the file.
std::string writeGeneratedFile(const std::filesystem::path& path, std::string_view bytes);

}  // namespace platform::resources
