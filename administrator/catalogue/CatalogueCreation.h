#pragma once

#include <platform/database/Database.h>

#include <string>

namespace administrator::catalogue {

// Makes an empty catalogue at `path` with exactly the MP3Info table. The only place
// the program creates a catalogue: it never replaces a file (one already at `path`
// is refused, whatever it holds), and a catalogue it could not finish is removed.
platform::status::Status createCatalogue(platform::database::Engine& engine, const std::string& path);

}  // namespace administrator::catalogue
