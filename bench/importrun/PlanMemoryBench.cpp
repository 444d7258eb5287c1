#include <bench/importrun/PlanMemoryBench.h>

#include <sys/resource.h>

#include <administrator/assembly/RunAssembly.h>

#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

#include <bench/importrun/BenchTree.h>
#include <bench/importrun/ChildProcess.h>
#include <bench/importrun/Measuring.h>
#include <tests/support/TemporaryFolder.h>

namespace bench::importrun {
namespace {

namespace fs = std::filesystem;

// Small files: 200 bytes of audio and the tag, as the plan reads only the tag.
constexpr std::size_t kAudioBytes = 200;

// This process's own high-water mark: one made by exec starts fresh, unlike the
// rusage a parent reads, which can carry over what the process had before exec.
long peakResidentKiB() {
  std::ifstream status("/proc/self/status");
  for (std::string line; std::getline(status, line);)
    if (line.rfind("VmHWM:", 0) == 0) return std::stol(line.substr(6));
  rusage usage{};
  ::getrusage(RUSAGE_SELF, &usage);
  return usage.ru_maxrss;
}

struct ChildPlan {
  bool ok = false;
  std::size_t files = 0, filed = 0;
  double seconds = 0;
  long peakKiB = 0;
};

ChildPlan planInChild(const fs::path& self, const fs::path& folder, std::size_t files) {
  const auto made = Clock::now();
  const Tree tree = makeTree(folder, files, 0, kAudioBytes);
  std::printf("  made %zu files in %.1f s\n", files, secondsSince(made));
  std::fflush(stdout);
  const fs::path out = folder / "plan.txt", err = folder / "plan-errors.txt";
  const ChildOutcome outcome =
      runChild({self.string(), "--plan-only", tree.catalogue.string(), tree.source.string(), tree.destination.string()},
               out.string(), err.string());
  ChildPlan plan;
  std::ifstream answer(out);
  plan.ok = outcome.exitStatus == 0 && (answer >> plan.files >> plan.filed >> plan.seconds >> plan.peakKiB) &&
            plan.files == files && plan.filed == files;
  if (!plan.ok) std::fprintf(stderr, "the plan of %zu files failed; see %s\n", files, err.c_str());
  return plan;
}

void reportPlan(const ChildPlan& plan, const ChildPlan& empty) {
  const double grownMiB = (plan.peakKiB - empty.peakKiB) / 1024.0;
  std::printf("  plan of %6zu files: %6.2f s, peak RSS %7.1f MiB, %7.1f MiB above the empty plan (%.0f bytes a file)\n",
              plan.files, plan.seconds, plan.peakKiB / 1024.0, grownMiB,
              plan.files ? grownMiB * 1024 * 1024 / plan.files : 0.0);
}

}  // namespace

int planOnly(const char* catalogue, const char* source, const char* destination) {
  std::string why;
  const auto component = administrator::assembly::RunAssembly::createTagComponent(&why);
  if (!component) {
    std::fprintf(stderr, "%s\n", why.c_str());
    return 2;
  }
  const auto start = Clock::now();
  administrator::assembly::RunAssembly assembly(component);
  const administrator::importrun::RunPlan plan = assembly.plan({catalogue, source, destination});
  const double seconds = secondsSince(start);
  if (!plan.status) {
    std::fprintf(stderr, "%s\n", plan.status.reason().c_str());
    return 1;
  }
  std::printf("%zu %zu %.3f %ld\n", plan.files.size(), plan.filed, seconds, peakResidentKiB());
  return 0;
}

void benchPlanMemory(const fs::path& self, bool withHundredThousand) {
  const tests::support::TemporaryFolder folder(memoryBackedTemporaryBase());
  std::printf("plan's memory (files of %zu bytes under %s, each plan in a child process):\n", kAudioBytes + 128,
              folder.path().parent_path().c_str());
  std::vector<std::size_t> sizes{0, 10000, 40000};
  if (withHundredThousand) sizes.push_back(100000);
  std::vector<ChildPlan> plans;
  for (const std::size_t files : sizes) {
    const fs::path tree = folder.path() / ("plan" + std::to_string(files));
    plans.push_back(planInChild(self, tree, files));
    fs::remove_all(tree);
  }
  for (const auto& plan : plans) reportPlan(plan, plans[0]);
  const ChildPlan &empty = plans[0], &small = plans[1];
  for (std::size_t at = 2; at < plans.size(); ++at) {
    const ChildPlan& large = plans[at];
    const double times = double(sizes[at]) / double(sizes[1]);
    std::printf("%zu / %zu files: growth of peak RSS %.2f, plan time %.2f (linear: %.0f)\n", sizes[at], sizes[1],
                double(large.peakKiB - empty.peakKiB) / double(small.peakKiB - empty.peakKiB),
                large.seconds / small.seconds, times);
  }
}

}  // namespace bench::importrun
