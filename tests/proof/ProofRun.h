#pragma once
// One import run over a collection with the real file system, catalogue and
// run record, each behind a counting wrapper.
#include <sys/stat.h>

#include <chrono>
#include <optional>
#include <string>

#include <administrator/runrecord/FileRunRecord.h>
#include <administrator/importrun/ImportRun.h>
#include <administrator/catalogue/SqliteCatalogue.h>
#include <platform/database/SqliteEngine.h>
#include <tests/support/RecordingRunView.h>

#include <tests/proof/ChildProcess.h>
#include <tests/proof/Collection.h>
#include <tests/proof/CountingSeams.h>

namespace tests::proof {

using support::RecordingRunView;

class CountingTagReader : public administrator::importrun::TagReader {
 public:
  explicit CountingTagReader(FaultPlan& plan) : plan_(plan) {}
  platform::status::Status load(const std::u16string& path) override {
    if (plan_.fails("load", platform::text::utf8FromUtf16(path))) return FaultPlan::injected("load");
    return real_.load(path);
  }
  platform::status::Status read(administrator::importrun::TagField field, std::u16string& value) override {
    return real_.read(field, value);
  }

 private:
  Id3TailReader real_;
  FaultPlan& plan_;
};

struct RunSettings {
  using Moves = platform::filesystem::PosixFileSystem::Moves;
  RunSettings(Moves how = Moves::RenameWherePossible) : moves(how) {}

  Moves moves;
  std::chrono::milliseconds busyTimeout{5000};
  std::string sourceFolder;                   // empty: the collection's
  std::string catalogue;                      // empty: the collection's
  std::optional<std::size_t> stopAfterFiles;  // the person stops the run after that many files
};

inline support::RecordingRunView runImport(const Collection& collection, FaultPlan& plan,
                                           const RunSettings& settings = {}) {
  DiskFillingFileSystem disk(settings.moves, plan);
  CountingFileSystem files(disk, plan);
  platform::database::SqliteEngine engine;
  administrator::catalogue::SqliteCatalogue sqlite(engine, platform::database::OpenOptions{settings.busyTimeout});
  CountingCatalogue catalogue(sqlite, plan);
  administrator::runrecord::FileRunRecord fileRecord(
      administrator::runrecord::RunRecordFolder(collection.runRecords()));
  CountingRecord record(fileRecord, plan);
  CountingTagReader tags(plan);
  support::RecordingRunView view;
  view.keepVisits = false;  // the proofs measure the run, not its view
  view.stopAfterFiles = settings.stopAfterFiles;
  const std::string source = settings.sourceFolder.empty() ? collection.source() : settings.sourceFolder;
  administrator::importrun::ImportRun(tags, files, catalogue, view, record)
      .run(
          {settings.catalogue.empty() ? collection.catalogue() : settings.catalogue, source, collection.destination()});
  return view;
}

// What a run showed, brought back from the process it ran in.
struct Shown {
  std::string log, summary;
};

// A run as an unprivileged user (root may read and write anywhere) while `path`
// has `mode`, put back to `restored` after the run. Nothing when the run's process
// did not end normally.
inline std::optional<Shown> runUnprivilegedWhile(const Collection& collection, const std::string& path, mode_t mode,
                                                 mode_t restored) {
  const std::string logFile = collection.root() + "/log.txt", summaryFile = collection.root() + "/summary.txt";
  const bool ended = runUnprivileged(collection.root(), [&] {
    ::chmod(path.c_str(), mode);
    FaultPlan plan;
    const support::RecordingRunView view = runImport(collection, plan);
    ::chmod(path.c_str(), restored);
    support::writeFile(logFile, view.logText());
    support::writeFile(summaryFile, view.summaryText());
  });
  if (!ended) return std::nullopt;
  return Shown{support::readFile(logFile), support::readFile(summaryFile)};
}

// The catalogue as a person finds it on disk: its file format bytes (1 for the
// rollback journal, 2 for write-ahead logging) and what lies beside it.
inline std::string catalogueOnDisk(const std::string& catalogue) {
  const std::string header = support::readFile(catalogue).substr(0, 20);
  std::string state = header.size() == 20
                          ? "format " + std::to_string(int(header[18])) + "/" + std::to_string(int(header[19]))
                          : "no header";
  const std::filesystem::path path(catalogue);
  for (const auto& entry : std::filesystem::directory_iterator(path.parent_path())) {
    const std::string name = entry.path().filename().string();
    if (name != path.filename().string() && name.rfind(path.filename().string(), 0) == 0) state += ", " + name;
  }
  return state;
}

inline std::string describe(const Verdict& verdict) {
  std::string text;
  for (const auto& problem : verdict.problems) text += "\n  " + problem;
  return text;
}

}  // namespace tests::proof
