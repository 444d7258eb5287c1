#include <bench/importrun/RecordBench.h>

#include <administrator/catalogue/SqliteCatalogue.h>
#include <platform/database/SqliteEngine.h>
#include <platform/filesystem/PosixFileSystem.h>

#include <administrator/importrun/DispatchTagReader.h>
#include <administrator/runrecord/FileRunRecord.h>
#include <administrator/importrun/ImportRun.h>
#include <administrator/undo/UndoRun.h>

#include <cstdio>
#include <cstdlib>
#include <vector>

#include <bench/importrun/BenchTree.h>
#include <bench/importrun/Measuring.h>
#include <bench/importrun/RawImport.h>

namespace bench::importrun {
namespace {

namespace fs = std::filesystem;

class SilentView : public administrator::importrun::RunView {
 public:
  void clearLog() override {}
  void appendLog(std::u16string_view) override {}
  void showSummary(const std::u16string& text) override { summary = text; }
  std::u16string summary;
};

administrator::importrun::RunInputs inputsOf(const Tree& tree) {
  return {tree.catalogue.string(), tree.source.string(), tree.destination.string()};
}

// The run as the program puts it together, with its record in `records` or none.
administrator::importrun::RunResult runImport(
    const platform::automation::ComPtr<platform::automation::IDispatch>& lyrebox, const Tree& tree,
    const fs::path* records) {
  administrator::importrun::DispatchTagReader tags(lyrebox);
  platform::filesystem::PosixFileSystem files;
  platform::database::SqliteEngine engine;
  administrator::catalogue::SqliteCatalogue catalogue(engine);
  SilentView view;
  if (!records) return administrator::importrun::ImportRun(tags, files, catalogue, view).run(inputsOf(tree));
  administrator::runrecord::FileRunRecord record{administrator::runrecord::RunRecordFolder(records->string())};
  return administrator::importrun::ImportRun(tags, files, catalogue, view, record).run(inputsOf(tree));
}

double timedRun(const platform::automation::ComPtr<platform::automation::IDispatch>& lyrebox, const Tree& tree,
                const fs::path* records) {
  const auto start = Clock::now();
  runImport(lyrebox, tree, records);
  return secondsSince(start);
}

// Files a tree with its record, then times undoing it; the tree must end as it began.
double timedUndo(const platform::automation::ComPtr<platform::automation::IDispatch>& lyrebox, const fs::path& root,
                 std::size_t files, const fs::path& records) {
  const Tree tree = makeTree(root, files);
  const std::string runId = runImport(lyrebox, tree, &records).runId;
  platform::filesystem::PosixFileSystem fileSystem;
  platform::database::SqliteEngine engine;
  administrator::catalogue::SqliteCatalogue catalogue(engine);
  SilentView view;
  const auto start = Clock::now();
  const administrator::undo::UndoResult undone =
      administrator::undo::UndoRun(fileSystem, catalogue, view,
                                   administrator::runrecord::RunRecordFolder(records.string()))
          .undo(runId);
  const double seconds = secondsSince(start);
  if (undone.undone != files) {
    std::fprintf(stderr, "undo took back %zu of %zu files\n", undone.undone, files);
    std::exit(1);
  }
  requireOutcome(tree, 0, files, "undo");
  removeLater(root);
  return seconds;
}

}  // namespace

void benchRecordAndUndo(const platform::automation::ComPtr<platform::automation::IDispatch>& lyrebox,
                        const fs::path& scratch, const std::string& journalMode) {
  constexpr std::size_t kFiles = 10000;
  constexpr int kRounds = 5;
  const fs::path records = scratch / "records";
  std::vector<double> withRecord, without, raws, undos;
  inAlternatingOrder(
      kRounds,
      {
          [&](const std::string& r) {
            withRecord.push_back(timeOnFreshTree(scratch / ("record" + r), kFiles, 0,
                                                 [&](const Tree& tree) { return timedRun(lyrebox, tree, &records); }));
          },
          [&](const std::string& r) {
            without.push_back(timeOnFreshTree(scratch / ("norecord" + r), kFiles, 0,
                                              [&](const Tree& tree) { return timedRun(lyrebox, tree, nullptr); }));
          },
          [&](const std::string& r) {
            raws.push_back(timeOnFreshTree(scratch / ("raw" + r), kFiles, 0,
                                           [&](const Tree& tree) { return timeRawImport(tree, journalMode); }));
          },
          [&](const std::string& r) { undos.push_back(timedUndo(lyrebox, scratch / ("undo" + r), kFiles, records)); },
      });
  const double recorded = median(withRecord), bare = median(without), raw = median(raws), undo = median(undos);
  std::printf("medians of %d rounds each\n", kRounds);
  report("import run with its record", kFiles, recorded);
  report("import run without a record", kFiles, bare);
  report("raw import baseline", kFiles, raw);
  report("undo of a run", kFiles, undo);
  std::printf("run with record / without (time): %.3f (goal <= 1.10)\n", recorded / bare);
  std::printf("undo / raw import (files per second): %.2f (goal >= 0.5)\n", raw / undo);
}

}  // namespace bench::importrun
