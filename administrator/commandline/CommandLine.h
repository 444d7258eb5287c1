#pragma once
#include <string>
#include <vector>

namespace administrator::commandline {

// What the command line asks for.
struct CommandLine {
  enum class Action { Window, Help, Version, Import, NewCatalogue, Undo, History, Mistake };
  Action action = Action::Window;
  std::string catalogue, source, destination;  // new-catalogue's FILE is `catalogue`
  std::string runId;                           // undo's RUN; empty: the newest not undone
  bool dryRun = false, json = false;
  std::string mistake;  // what is wrong with the arguments
};

// Reads `mervalis import --catalogue FILE --source DIR --dest ROOT [--dry-run]
// [--json]`, `mervalis new-catalogue FILE`, `mervalis undo [RUN]`, `mervalis
// history`, `--help` and `--version`; no arguments
// is the window.
CommandLine parseCommandLine(const std::vector<std::string>& arguments);

std::string usageText();

}  // namespace administrator::commandline
