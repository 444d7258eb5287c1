#pragma once
// The trees of tagged files the import run's benchmarks file, and the folders
// they are made in.
#include <cstddef>
#include <filesystem>
#include <functional>
#include <string>

namespace bench::importrun {

struct Tree {
  std::filesystem::path source, destination, catalogue;
};

// A hundred artists with ten albums each, every title distinct; with `untaggedEvery`
// set, one file in that many has no tag (logged and summarised, not filed).
// Each file is `audioBytes` of audio, then its tag.
Tree makeTree(const std::filesystem::path& root, std::size_t files, std::size_t untaggedEvery = 0,
              std::size_t audioBytes = 2048);

std::size_t rowCount(const Tree& tree);
std::size_t taggedCount(std::size_t files, std::size_t untaggedEvery);

// Ends the benchmark with a failure unless the tree holds exactly `rows` rows and
// `left` files in its source folder: a figure of a run that did other work is no figure.
void requireOutcome(const Tree& tree, std::size_t rows, std::size_t left, const std::string& what);

// Makes a tree under `root`, times `timed` over it and requires that every tagged
// file got its row and left the source. The tree is removed later, by
// removeTimedTrees(): removing thousands of files just before a timed round would
// make the file system's bookkeeping of the freed space fall on that round.
double timeOnFreshTree(const std::filesystem::path& root, std::size_t files, std::size_t untaggedEvery,
                       const std::function<double(const Tree&)>& timed);
// A tree to remove with removeTimedTrees().
void removeLater(const std::filesystem::path& root);
// Removes the trees timed so far; between parts, outside any timed span.
void removeTimedTrees();

// Memory rather than disk for trees of many small files, when the machine has it.
std::filesystem::path memoryBackedTemporaryBase();

}  // namespace bench::importrun
