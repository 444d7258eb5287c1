#pragma once
// The raw import baseline: the file and database work of a run, done by hand.
#include <string>

#include <bench/importrun/BenchTree.h>

namespace bench::importrun {

// The journal mode a catalogue of the program's runs uses, so that the raw loop
// commits the same way.
std::string catalogueJournalMode(const Tree& tree);

// The database opened, then per file: lstat, open, read the last 128 bytes,
// close, the tag's marker and fields checked, its text converted, one prepared
// insert in its own transaction, the two folders where missing, a rename that
// never replaces a file. Returns the seconds.
double timeRawImport(const Tree& tree, const std::string& journalMode);

}  // namespace bench::importrun
