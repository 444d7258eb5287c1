#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace administrator::catalogue {

// The recovery note earlier versions kept beside the catalogue while they filed;
// one left by a killed run of such a version must not be filed as music.
inline constexpr std::string_view kRecoveryNoteSuffix = ".journal";

// Every file that a catalogue is on disk: the database, the side files SQLite
// keeps beside it (write-ahead log, its index, the rollback journal) and the
// recovery note of earlier versions. None of them is ever music, whatever its last bytes say.
inline std::vector<std::string> catalogueFilesOf(const std::string& cataloguePath) {
  std::vector<std::string> paths;
  for (const std::string_view suffix : {std::string_view(), std::string_view("-wal"), std::string_view("-shm"),
                                        std::string_view("-journal"), kRecoveryNoteSuffix})
    paths.push_back(cataloguePath + std::string(suffix));
  return paths;
}

}  // namespace administrator::catalogue
