#pragma once
// The command line's speed: `mervalis import` as a child process against the raw
// import baseline.
#include <filesystem>
#include <string>

namespace bench::importrun {

void benchCommandLine(const std::filesystem::path& scratch, const std::string& journalMode);

}  // namespace bench::importrun
