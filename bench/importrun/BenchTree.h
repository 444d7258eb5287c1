#pragma once
// The trees of tagged files the import run's benchmarks file, and the folders
// they are made in.
#include <cstddef>
#include <filesystem>
#include <functional>
#include <string>

namespace importbench {

struct Tree {
  std::filesystem::path source, destination, catalogue;
};

// A hundred artists with ten albums each, every title distinct; with `untaggedEvery`
// set, every file but one in that many has no tag (logged and summarised, not filed).
// Each file is `audioBytes` of audio, then its tag.
Tree makeTree(const std::filesystem::path& root, std::size_t files, std::size_t untaggedEvery = 0,
              std::size_t audioBytes = 2048);

std::size_t rowCount(const Tree& tree);

// Makes a tree under `root`, times `timed` over it, complains if not every tagged
// file got its row, and removes the tree.
double timeOnFreshTree(const std::filesystem::path& root, std::size_t files, std::size_t untaggedEvery,
                       const std::function<double(const Tree&)>& timed);

// A fresh folder below `base`, removed with everything in it afterwards.
class ScratchFolder {
 public:
  explicit ScratchFolder(const std::filesystem::path& base);
  ~ScratchFolder();
  ScratchFolder(const ScratchFolder&) = delete;
  ScratchFolder& operator=(const ScratchFolder&) = delete;
  const std::filesystem::path& path() const { return path_; }

 private:
  std::filesystem::path path_;
};

// Memory rather than disk for trees of many small files, when the machine has it.
std::filesystem::path memoryBackedTemporaryBase();

}  // namespace importbench
