#pragma once
// The raw import baseline: the file and database work of a run, done by hand.
#include <string>

#include "BenchTree.h"

namespace importbench {

// The journal mode a catalogue of the program's runs uses, so that the raw loop
// commits the same way.
std::string catalogueJournalMode(const Tree& tree);

// Per file stat, open, read the last 128 bytes, close, one prepared insert in its
// own transaction, the two folders where missing, a rename. Returns the seconds.
double timeRawImport(const Tree& tree, const std::string& journalMode);

}  // namespace importbench
