#include <bench/importrun/PlanBench.h>

#include <bench/common/RawTagLoad.h>

#include <administrator/assembly/RunAssembly.h>

#include <cstdio>
#include <string>
#include <vector>

#include <bench/importrun/BenchTree.h>
#include <bench/importrun/Measuring.h>

namespace bench::importrun {
namespace {

namespace fs = std::filesystem;

constexpr std::size_t kFiles = 10000;
constexpr int kRounds = 5;

// The preview as the window makes it: the registered component, read late-bound,
// deciding every file of the folder, targets looked for on disk.
double timePlan(const platform::automation::ComPtr<platform::automation::IDispatch>& lyrebox, const Tree& tree) {
  const auto start = Clock::now();
  administrator::assembly::RunAssembly assembly(lyrebox);
  const administrator::importrun::RunPlan plan =
      assembly.plan({tree.catalogue.string(), tree.source.string(), tree.destination.string()});
  const double seconds = secondsSince(start);
  if (!plan.status || plan.filed != kFiles) std::fprintf(stderr, "the plan would not file every file\n");
  return seconds;
}

// The folder listed, then each of its files loaded raw; the plan has to list it too.
double timeRawTagLoad(const Tree& tree, long& checksum) {
  const auto start = Clock::now();
  std::vector<std::string> paths;
  for (const auto& entry : fs::directory_iterator(tree.source)) paths.push_back(entry.path().string());
  checksum += common::rawTagLoad(paths);
  return secondsSince(start);
}

}  // namespace

void benchPlan(const platform::automation::ComPtr<platform::automation::IDispatch>& lyrebox, const fs::path& scratch) {
  const fs::path root = scratch / "plan";
  const Tree tree = makeTree(root, kFiles);
  long checksum = 0;
  // Both start from a warm page cache.
  timePlan(lyrebox, tree);
  timeRawTagLoad(tree, checksum);

  // Planning touches nothing, so every round works on the same files.
  std::vector<double> plans, raws;
  inAlternatingOrder(kRounds, {[&](const std::string&) { plans.push_back(timePlan(lyrebox, tree)); },
                               [&](const std::string&) { raws.push_back(timeRawTagLoad(tree, checksum)); }});
  fs::remove_all(root);

  const double plan = median(plans), raw = median(raws);
  std::printf("preview: medians of %d rounds each [checksum %ld]\n", kRounds, checksum);
  report("preview (plan of the run)", kFiles, plan);
  report("raw tag load (list, stat/open/read 128/close)", kFiles, raw);
  std::printf("plan / raw tag load (time): %.2f (goal <= 1.5)\n", plan / raw);
}

}  // namespace bench::importrun
