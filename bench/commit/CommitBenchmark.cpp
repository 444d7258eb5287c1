// Times single-row transactions, one per filed file, in the default rollback
// journal (the baseline) and in write-ahead logging with synchronous=NORMAL.
//   commit_benchmark [rows] [folder]
#include <platform/database/SqliteEngine.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

namespace {

using platform::database::SqliteEngine;

struct Timing {
  std::string journal;
  double rowsPerSecond = 0;
};

bool fail(const platform::status::Status& status) {
  if (!status) std::fprintf(stderr, "%s\n", status.reason().c_str());
  return !status;
}

// rowsPerSecond stays negative when the database refused.
Timing timeCommits(const std::string& path, bool writeAheadLog, int rows) {
  std::ofstream{path};  // the engine opens existing files only; an empty file is an empty database
  SqliteEngine engine;
  auto opened = engine.open(path);
  Timing timing{"", -1};
  if (fail(opened.status) ||
      fail(opened.value->execute("create table MP3Info (Track text, Artist text, Album text, FileName text)")) ||
      (writeAheadLog && fail(opened.value->useWriteAheadLog())))
    return timing;
  timing.journal = opened.value->journalMode();
  auto insert = opened.value->prepare("insert into [MP3Info] (Track,Artist,Album,FileName) Values (?,?,?,?)");
  if (fail(insert.status)) return timing;

  const auto started = std::chrono::steady_clock::now();
  for (int row = 0; row < rows; ++row) {
    const std::string title = "Title " + std::to_string(row);
    if (fail(opened.value->begin()) ||
        fail(insert.value->run({title, "Artist", "Album", "/music/Artist/Album/" + title + ".mp3"})) ||
        fail(opened.value->commit()))
      return timing;
  }
  const std::chrono::duration<double> seconds = std::chrono::steady_clock::now() - started;
  timing.rowsPerSecond = rows / seconds.count();
  return timing;
}

}  // namespace

int main(int argc, char** argv) {
  const int rows = argc > 1 ? std::atoi(argv[1]) : 10000;
  const std::filesystem::path parent = argc > 2 ? argv[2] : std::filesystem::temp_directory_path();
  std::string pattern = (parent / "commit-benchmark-XXXXXX").string();
  if (rows <= 0 || ::mkdtemp(pattern.data()) == nullptr) {
    std::fprintf(stderr, "usage: commit_benchmark [rows > 0] [writable folder]\n");
    return 2;
  }
  const std::filesystem::path folder = pattern;

  const Timing baseline = timeCommits(folder / "rollback.mdb", false, rows);
  const Timing chosen = timeCommits(folder / "wal.mdb", true, rows);
  std::filesystem::remove_all(folder);
  if (baseline.rowsPerSecond <= 0 || chosen.rowsPerSecond <= 0) return 1;

  std::printf("%d single-row transactions in %s\n", rows, parent.c_str());
  std::printf("rollback journal (%s), synchronous=FULL: %10.0f rows/s (baseline)\n", baseline.journal.c_str(),
              baseline.rowsPerSecond);
  std::printf("write-ahead log (%s), synchronous=NORMAL: %10.0f rows/s\n", chosen.journal.c_str(),
              chosen.rowsPerSecond);
  std::printf("ratio: %.2f\n", chosen.rowsPerSecond / baseline.rowsPerSecond);
  return 0;
}
