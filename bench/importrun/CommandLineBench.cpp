#include <bench/importrun/CommandLineBench.h>

#include <cstdio>
#include <vector>

#include <bench/importrun/BenchTree.h>
#include <bench/importrun/ChildProcess.h>
#include <bench/importrun/Measuring.h>
#include <bench/importrun/RawImport.h>

namespace bench::importrun {
namespace {

namespace fs = std::filesystem;

constexpr std::size_t kFiles = 10000;
constexpr int kRounds = 3;

// The whole program as a script starts it: loading, the component made from the
// registry, the run, every log line and the summary written to a file.
double timeCommandLine(const Tree& tree) {
  const fs::path root = tree.catalogue.parent_path();
  const auto start = Clock::now();
  const ChildOutcome outcome = runChild({MERVALIS_PROGRAM, "import", "--catalogue", tree.catalogue.string(), "--source",
                                         tree.source.string(), "--dest", tree.destination.string()},
                                        (root / "stdout.txt").string(), (root / "stderr.txt").string());
  const double seconds = secondsSince(start);
  if (!outcome.started)
    std::fprintf(stderr, "cannot start %s\n", MERVALIS_PROGRAM);
  else if (outcome.exitStatus != 0)
    std::fprintf(stderr, "mervalis import ended with %d\n", outcome.exitStatus);
  return seconds;
}

}  // namespace

void benchCommandLine(const fs::path& scratch, const std::string& journalMode) {
  auto commandLine = [&](const std::string& name) {
    return timeOnFreshTree(scratch / name, kFiles, 0, timeCommandLine);
  };
  auto raw = [&](const std::string& name) {
    return timeOnFreshTree(scratch / name, kFiles, 0,
                           [&](const Tree& tree) { return timeRawImport(tree, journalMode); });
  };
  timeOnFreshTree(scratch / "cli-warm-up", kFiles / 10, 0, timeCommandLine);

  std::vector<double> runs, raws;
  inAlternatingOrder(kRounds, {[&](const std::string& r) { runs.push_back(commandLine("cli" + r)); },
                               [&](const std::string& r) { raws.push_back(raw("cli-raw" + r)); }});

  const double run = median(runs), rawRun = median(raws);
  std::printf("command line: medians of %d rounds each\n", kRounds);
  report("mervalis import (child process)", kFiles, run);
  report("raw baseline", kFiles, rawRun);
  std::printf("command line / baseline (files per second): %.2f (goal >= 0.6)\n", rawRun / run);
}

}  // namespace bench::importrun
