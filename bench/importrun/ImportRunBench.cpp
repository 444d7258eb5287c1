// Filing speed: the import run (registered Lyrebox.ocx read late-bound, real
// catalogue, real folders) against a raw loop doing the same file and database
// work by hand, its growth from 10,000 to 20,000 files and, over one folder with
// one file in twenty untagged, from 20,000 to 40,000, what
// the component's yields cost when the run is driven from the window, the preview
// (PlanBench), the command line (CommandLineBench), the plan's memory
// (PlanMemoryBench), and the run's record and undo (RecordBench).
#include <platform/events/PendingEvents.h>
#include <platform/ui/QtPendingEvents.h>

#include <administrator/assembly/RunAssembly.h>

#include <QApplication>
#include <QMessageBox>
#include <QTimer>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <functional>
#include <numeric>
#include <set>
#include <string>

#include <bench/importrun/BenchTree.h>
#include <bench/importrun/CommandLineBench.h>
#include <bench/importrun/Measuring.h>
#include <bench/importrun/PlanBench.h>
#include <bench/importrun/PlanMemoryBench.h>
#include <administrator/ProgramServices.h>
#include <bench/importrun/RawImport.h>
#include <bench/importrun/RecordBench.h>
#include <tests/support/TemporaryFolder.h>
#include <tests/endtoend/MusicFolder.h>

namespace {

namespace fs = std::filesystem;
using namespace bench::importrun;

// Keeps log and summary as the window does, so that their growth is timed too.
class KeepingView : public administrator::importrun::RunView {
 public:
  void clearLog() override { log.clear(); }
  void appendLog(std::u16string_view text) override { log += text; }
  void showSummary(const std::u16string& text) override { summary = text; }
  std::u16string log, summary;
};

struct ImportRunTime {
  RunTime time;
  bool reportedFailures;
};

ImportRunTime timeImportRun(const platform::automation::ComPtr<platform::automation::IDispatch>& lyrebox,
                            const Tree& tree) {
  administrator::assembly::RunAssembly assembly(lyrebox);
  KeepingView view;
  const auto start = Clock::now();
  const double cpuStart = cpuSeconds();
  assembly.run({tree.catalogue.string(), tree.source.string(), tree.destination.string()}, view);
  return {{secondsSince(start), cpuSeconds() - cpuStart}, !view.summary.empty()};
}

RunTime timeTaggedRun(const platform::automation::ComPtr<platform::automation::IDispatch>& lyrebox, const Tree& tree) {
  const ImportRunTime run = timeImportRun(lyrebox, tree);
  if (run.reportedFailures) std::fprintf(stderr, "the run reported failures\n");
  return run.time;
}

// The window's view, noting when the run hands over its summary. With `ownWork`,
// its progress in the title and its yields between files and during copies are
// the window's own; without, only the component yields, as before the run did.
class TimedView : public administrator::importrun::RunView {
 public:
  TimedView(administrator::window::frmMain& window, RunTime& time, bool ownWork)
      : window_(window), time_(time), ownWork_(ownWork) {}
  void clearLog() override { window_.clearLog(); }
  void appendLog(std::u16string_view text) override { window_.appendLog(text); }
  void fileDone(const administrator::importrun::FileReport& report) override {
    if (ownWork_) window_.runView().fileDone(report);
  }
  void yield() override {
    if (ownWork_) window_.runView().yield();
  }
  bool stopRequested() override { return window_.runView().stopRequested(); }
  // Both ways end with the window brought up to date, the whole log shown and
  // painted: without yields that work would otherwise fall after the measured span.
  void showSummary(const std::u16string& summary) override {
    window_.lbllog->showPending();
    QCoreApplication::processEvents();
    time_ = {secondsSince(start_), cpuSeconds() - cpuStart_};
    window_.showSummary(summary);
  }

 private:
  administrator::window::frmMain& window_;
  RunTime& time_;
  bool ownWork_;
  Clock::time_point start_ = Clock::now();
  double cpuStart_ = cpuSeconds();
};

// One click on Process, with the summary box dismissed as soon as it shows.
RunTime timeWindowRun(const Tree& tree, bool ownWork = true) {
  auto lyrebox = std::make_shared<administrator::Lyrebox1>();
  administrator::window::WindowServices services = administrator::programServices(lyrebox);
  RunTime time;
  administrator::window::frmMain* shown = nullptr;
  services.runImport = [inner = services.runImport, &time, &shown, ownWork](
                           const administrator::importrun::RunInputs& inputs, administrator::importrun::RunView&) {
    TimedView timed(*shown, time, ownWork);
    inner(inputs, timed);
  };
  administrator::window::frmMain window(std::move(services));
  shown = &window;
  std::string why;
  lyrebox->object = administrator::createLyrebox1(window, &why);
  if (!lyrebox->object) {
    std::fprintf(stderr, "%s\n", why.c_str());
    return {};
  }
  window.show();
  const bool placed = window.Dir1->setPath(QString::fromStdString(tree.catalogue.parent_path().string())) &&
                      (window.File1->setCurrentRow(0), true) &&
                      window.Dir2->setPath(QString::fromStdString(tree.source.string())) &&
                      window.Dir3->setPath(QString::fromStdString(tree.destination.string()));
  if (!placed) {
    std::fprintf(stderr, "the window's lists refused the run's folders\n");
    return {};
  }
  window.SSTab1->setCurrentIndex(2);
  QTimer answer;
  answer.setInterval(20);
  QObject::connect(&answer, &QTimer::timeout, [] {
    if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) box->accept();
  });
  answer.start();
  window.cmdGo->click();
  return time;
}

// Installs the window's own yield and clocks every call to it. Its own two clock
// reads a call are counted in, so the figure it gives errs on the high side.
class YieldClock {
 public:
  struct Totals {
    std::size_t calls = 0, passes = 0;
    double seconds = 0, passSeconds = 0, longest = 0;
  };

  explicit YieldClock(Totals& totals) {
    platform::events::setPendingEventsHandler([&totals, inner = platform::ui::qtPendingEvents()] {
      const auto start = Clock::now();
      inner();
      const double spent = secondsSince(start);
      ++totals.calls;
      totals.seconds += spent;
      // A call that only read the pacing clock takes well under a microsecond.
      if (spent > 20e-6) ++totals.passes, totals.passSeconds += spent;
      totals.longest = std::max(totals.longest, spent);
    });
  }
  ~YieldClock() { platform::events::setPendingEventsHandler({}); }
  YieldClock(const YieldClock&) = delete;
  YieldClock& operator=(const YieldClock&) = delete;
};

// The run of 10,000 files against the raw loop, 20,000 against 10,000 files and,
// mostly untagged, 40,000 against 20,000.
void benchRunGrowth(const platform::automation::ComPtr<platform::automation::IDispatch>& lyrebox,
                    const fs::path& scratch, const std::string& journalMode) {
  constexpr std::size_t kFiles = 10000;
  constexpr std::size_t kUntaggedEvery = 20;
  // Every timed run gets a tree of its own, checked and removed after it.
  auto onFreshTree = [&](const std::string& name, std::size_t files, std::size_t untaggedEvery, auto timed) {
    return timeOnFreshTree(scratch / name, files, untaggedEvery, timed);
  };
  auto tagged = [&](const Tree& tree) { return timeTaggedRun(lyrebox, tree).seconds; };
  auto raw = [&](const Tree& tree) { return timeRawImport(tree, journalMode); };
  // Over one folder, every file adds a line to the log and one in twenty a line to
  // the summary, so both must grow linearly too.
  auto untagged = [&](const Tree& tree) { return timeImportRun(lyrebox, tree).time.seconds; };
  onFreshTree("warm-up", kFiles / 10, 0, tagged);

  // Several rounds in alternating order, and medians: a single run of this much file
  // work varies by a third with the file system.
  constexpr int kGrowthRounds = 5;
  std::vector<double> runs, raws, doubles, untaggedHalves, untaggedWholes;
  inAlternatingOrder(
      kGrowthRounds,
      {
          [&](const std::string& r) { runs.push_back(onFreshTree("run" + r, kFiles, 0, tagged)); },
          [&](const std::string& r) { raws.push_back(onFreshTree("raw" + r, kFiles, 0, raw)); },
          [&](const std::string& r) { doubles.push_back(onFreshTree("double" + r, 2 * kFiles, 0, tagged)); },
          [&](const std::string& r) {
            untaggedHalves.push_back(onFreshTree("untagged" + r, 2 * kFiles, kUntaggedEvery, untagged));
          },
          [&](const std::string& r) {
            untaggedWholes.push_back(onFreshTree("untagged2" + r, 4 * kFiles, kUntaggedEvery, untagged));
          },
      });
  const double run = median(runs), rawRun = median(raws), run2 = median(doubles);
  const double untaggedHalf = median(untaggedHalves), untaggedWhole = median(untaggedWholes);

  std::printf("catalogue journal mode: %s; medians of %d runs each\n", journalMode.c_str(), kGrowthRounds);
  report("import run", kFiles, run);
  report("raw baseline", kFiles, rawRun);
  report("import run", 2 * kFiles, run2);
  report("one folder, 1 in 20 untagged", 2 * kFiles, untaggedHalf);
  report("one folder, 1 in 20 untagged", 4 * kFiles, untaggedWhole);
  std::printf("run / baseline (files per second): %.2f (goal >= 0.5)\n", rawRun / run);
  std::printf("20,000 / 10,000 files time: %.2f (goal <= 2.2)\n", run2 / run);
  std::printf("40,000 / 20,000 files (1 in 20 untagged) time: %.2f (goal <= 2.2)\n", untaggedWhole / untaggedHalf);
}

// Five kinds of run, the order turning every round, so that neither a slow spell
// of the machine nor a file system slowing as trees come and go falls on one side
// only: the window with a no-op yield (its title's progress then never painted);
// with Qt's pending events clocked call by call; with them as the program installs
// them; the same without the run's own yields and progress (only the component
// yields, as before a run could be stopped); and the run without the window.
void benchWindowYields(const platform::automation::ComPtr<platform::automation::IDispatch>& lyrebox,
                       const fs::path& scratch) {
  constexpr std::size_t kFiles = 10000;
  constexpr int kRounds = 5;
  Timings quiet, clocked, yielding, componentOnly, windowless;
  YieldClock::Totals yields;
  auto onFreshTree = [&](const std::string& name, const std::function<RunTime(const Tree&)>& timed) {
    RunTime run;
    timeOnFreshTree(scratch / name, kFiles, 0, [&](const Tree& tree) { return (run = timed(tree)).seconds; });
    return run;
  };
  auto window = [](bool ownWork) { return [ownWork](const Tree& tree) { return timeWindowRun(tree, ownWork); }; };
  inAlternatingOrder(kRounds, {
                                  [&](const std::string& round) {
                                    platform::events::setPendingEventsHandler({});
                                    quiet.add(onFreshTree("window-noop" + round, window(true)));
                                  },
                                  [&](const std::string& round) {
                                    YieldClock clock(yields);
                                    clocked.add(onFreshTree("window-clocked" + round, window(true)));
                                  },
                                  [&](const std::string& round) {
                                    platform::ui::installQtPendingEvents();
                                    yielding.add(onFreshTree("window-qt" + round, window(true)));
                                  },
                                  [&](const std::string& round) {
                                    platform::ui::installQtPendingEvents();
                                    componentOnly.add(onFreshTree("window-component" + round, window(false)));
                                  },
                                  [&](const std::string& round) {
                                    platform::events::setPendingEventsHandler({});
                                    windowless.add(onFreshTree("windowless" + round, [&](const Tree& tree) {
                                      return timeTaggedRun(lyrebox, tree);
                                    }));
                                  },
                              });
  platform::events::setPendingEventsHandler({});
  const double quietMedian = median(quiet.seconds), yieldingMedian = median(yielding.seconds);
  const double componentOnlyMedian = median(componentOnly.seconds), windowlessMedian = median(windowless.seconds);
  const double clockedSeconds = std::accumulate(clocked.seconds.begin(), clocked.seconds.end(), 0.0);
  report("window, no-op pending events (median)", kFiles, quietMedian);
  report("window, Qt pending events clocked (median)", kFiles, median(clocked.seconds));
  report("window, Qt pending events (median)", kFiles, yieldingMedian);
  report("window, only the component yields (median)", kFiles, componentOnlyMedian);
  report("run without the window (median)", kFiles, windowlessMedian);
  std::printf("yields in %d runs: %zu calls, %zu passes of the event loop, longest pass %.2f ms\n", kRounds,
              yields.calls, yields.passes, yields.longest * 1e3);
  std::printf(
      "yields' share of the window run: %.3f clocked inside them, %.3f in passes alone, %.3f by difference of"
      " medians (goal < 0.1)\n",
      yields.seconds / clockedSeconds, yields.passSeconds / clockedSeconds,
      (yieldingMedian - quietMedian) / yieldingMedian);
  std::printf("the run's own yields and progress: %+.3f of the window run by difference of medians\n",
              (yieldingMedian - componentOnlyMedian) / componentOnlyMedian);
  std::printf(
      "window run with yields and progress against the run without the window: %+.3f by difference of"
      " medians (goal < 0.1)\n",
      (yieldingMedian - windowlessMedian) / windowlessMedian);
  // The same by processor time: the disk's waits, which the windowless run meets
  // as much as the window run, fall out.
  const double quietCpuMedian = median(quiet.cpuSeconds), yieldingCpuMedian = median(yielding.cpuSeconds);
  const double windowlessCpuMedian = median(windowless.cpuSeconds);
  std::printf(
      "by processor time (medians %.3f s with the window, %.3f s without): yields' share %.3f, window run against"
      " the run without the window %+.3f\n",
      yieldingCpuMedian, windowlessCpuMedian, (yieldingCpuMedian - quietCpuMedian) / yieldingCpuMedian,
      (yieldingCpuMedian - windowlessCpuMedian) / windowlessCpuMedian);
}

const std::set<std::string> kParts{"run", "window", "plan", "commandline", "memory", "record"};

int usage() {
  std::fprintf(stderr,
               "usage: bench_importrun [--skip-100k] [PART...]\n"
               "  PART: run, window, plan, commandline, memory, record (all when none is named)\n"
               "  --skip-100k (or BENCH_SKIP_100K=1): the plan's memory at 10,000 and 40,000 files only\n");
  return 2;
}

bool skipHundredThousand(bool asked) {
  const char* variable = std::getenv("BENCH_SKIP_100K");
  return asked || (variable && *variable && std::strcmp(variable, "0") != 0);
}

}  // namespace

int main(int argc, char** argv) {
  // The child that only plans, for the plan's memory: no window, no other work.
  if (argc == 5 && std::strcmp(argv[1], "--plan-only") == 0) return planOnly(argv[2], argv[3], argv[4]);
  // The raw loop alone over a tree made beforehand, to count its calls to the system
  // (strace -c -f) beside `mervalis import` over a tree like it.
  if (argc == 5 && std::strcmp(argv[1], "--raw-import-only") == 0) {
    timeRawImport({argv[3], argv[4], argv[2]}, "wal");
    return 0;
  }
  // A tree like the benchmarks' own, for bench/importrun/count-syscalls.sh.
  if (argc == 4 && std::strcmp(argv[1], "--make-tree") == 0) {
    makeTree(argv[2], std::strtoul(argv[3], nullptr, 10));
    return 0;
  }
  std::set<std::string> parts;
  bool skip100k = false;
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "--skip-100k") == 0)
      skip100k = true;
    else if (kParts.count(argv[i]))
      parts.insert(argv[i]);
    else
      return usage();
  }
  if (parts.empty()) parts = kParts;

  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  QApplication application(argc, argv);
  tests::support::TemporaryFolder scratch;
  setenv("AUTOMATION_REGISTRY", (scratch.path() / "registry").c_str(), 1);
  // The runs' records stay with the scratch trees, out of the user's history.
  setenv("XDG_STATE_HOME", (scratch.path() / "state").c_str(), 1);
  std::string why;
  if (!tests::endtoend::registerLyrebox(why)) {
    std::fprintf(stderr, "%s\n", why.c_str());
    return 1;
  }
  const auto lyrebox = tests::endtoend::createLyrebox(why);
  if (!lyrebox) {
    std::fprintf(stderr, "%s\n", why.c_str());
    return 1;
  }
  const std::string journalMode = catalogueJournalMode(makeTree(scratch.path() / "mode", 0));

  const std::vector<std::pair<std::string, std::function<void()>>> timedParts{
      {"run", [&] { benchRunGrowth(lyrebox, scratch.path(), journalMode); }},
      {"window", [&] { benchWindowYields(lyrebox, scratch.path()); }},
      {"plan", [&] { benchPlan(lyrebox, scratch.path()); }},
      {"commandline", [&] { benchCommandLine(scratch.path(), journalMode); }},
      {"record", [&] { benchRecordAndUndo(lyrebox, scratch.path(), journalMode); }},
  };
  for (const auto& [name, part] : timedParts) {
    if (!parts.count(name)) continue;
    part();
    removeTimedTrees();
  }
  if (parts.count("memory")) benchPlanMemory(fs::read_symlink("/proc/self/exe"), !skipHundredThousand(skip100k));
  return 0;
}
