#include <bench/importrun/BenchTree.h>

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <vector>

#include <tests/endtoend/MusicFolder.h>

namespace bench::importrun {

namespace fs = std::filesystem;

Tree makeTree(const fs::path& root, std::size_t files, std::size_t untaggedEvery, std::size_t audioBytes) {
  Tree tree{root / "source", root / "filed", root / "Catalogue.mdb"};
  fs::create_directories(tree.source);
  fs::create_directories(tree.destination);
  tests::endtoend::createCatalogue(tree.catalogue.string());
  for (std::size_t i = 0; i < files; ++i) {
    const tests::endtoend::Tag tag{"Title " + std::to_string(i), "Artist " + std::to_string(i % 100),
                                   "Album " + std::to_string(i / 100 % 10)};
    const bool tagged = untaggedEvery == 0 || i % untaggedEvery != 0;
    char name[32];
    std::snprintf(name, sizeof name, "track%06zu.mp3", i);
    tests::endtoend::writeMusicFile((tree.source / name).string(), tagged ? &tag : nullptr, audioBytes);
  }
  // Written back now, so that the tree's own write-back does not fall on a timed run.
  ::sync();
  return tree;
}

std::size_t rowCount(const Tree& tree) { return tests::endtoend::catalogueRows(tree.catalogue.string()).size(); }

std::size_t taggedCount(std::size_t files, std::size_t untaggedEvery) {
  return untaggedEvery == 0 ? files : files - (files + untaggedEvery - 1) / untaggedEvery;
}

void requireOutcome(const Tree& tree, std::size_t rows, std::size_t left, const std::string& what) {
  std::size_t stayed = 0;
  for (const auto& entry : fs::recursive_directory_iterator(tree.source)) stayed += entry.is_regular_file();
  const std::size_t found = rowCount(tree);
  if (found == rows && stayed == left) return;
  std::fprintf(stderr, "%s: %zu rows and %zu files left in the source, not %zu and %zu\n", what.c_str(), found, stayed,
               rows, left);
  std::exit(1);
}

namespace {
std::vector<fs::path>& timedTrees() {
  static std::vector<fs::path> trees;
  return trees;
}
}  // namespace

double timeOnFreshTree(const fs::path& root, std::size_t files, std::size_t untaggedEvery,
                       const std::function<double(const Tree&)>& timed) {
  const Tree tree = makeTree(root, files, untaggedEvery);
  const double seconds = timed(tree);
  const std::size_t tagged = taggedCount(files, untaggedEvery);
  requireOutcome(tree, tagged, files - tagged, root.filename().string());
  removeLater(root);
  return seconds;
}

void removeLater(const fs::path& root) { timedTrees().push_back(root); }

void removeTimedTrees() {
  for (const fs::path& root : timedTrees()) fs::remove_all(root);
  timedTrees().clear();
  ::sync();
}

fs::path memoryBackedTemporaryBase() {
  std::error_code error;
  if (fs::is_directory("/dev/shm", error) && ::access("/dev/shm", W_OK) == 0) return "/dev/shm";
  return fs::temp_directory_path();
}

}  // namespace bench::importrun
