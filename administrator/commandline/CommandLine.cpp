#include <administrator/commandline/CommandLine.h>

#include <map>

namespace administrator::commandline {
namespace {

CommandLine only(CommandLine::Action action) {
  CommandLine line;
  line.action = action;
  return line;
}

CommandLine mistake(std::string what) {
  CommandLine line;
  line.action = CommandLine::Action::Mistake;
  line.mistake = std::move(what);
  return line;
}

CommandLine parseImport(const std::vector<std::string>& arguments) {
  CommandLine line;
  line.action = CommandLine::Action::Import;
  const std::map<std::string, std::string*> values = {
      {"--catalogue", &line.catalogue}, {"--source", &line.source}, {"--dest", &line.destination}};
  for (std::size_t i = 1; i < arguments.size(); ++i) {
    const std::string& argument = arguments[i];
    if (argument == "--dry-run") {
      line.dryRun = true;
    } else if (argument == "--json") {
      line.json = true;
    } else if (const auto value = values.find(argument); value != values.end()) {
      if (i + 1 == arguments.size() || arguments[i + 1].empty()) return mistake(argument + " needs a value");
      if (!value->second->empty()) return mistake(argument + " is given twice");
      *value->second = arguments[++i];
    } else {
      return mistake("unknown argument \"" + argument + "\"");
    }
  }
  for (const auto& [name, value] : values)
    if (value->empty()) return mistake(name + " is missing");
  return line;
}

CommandLine parseNewCatalogue(const std::vector<std::string>& arguments) {
  if (arguments.size() != 2 || arguments[1].empty()) return mistake("new-catalogue needs one FILE");
  CommandLine line;
  line.action = CommandLine::Action::NewCatalogue;
  line.catalogue = arguments[1];
  return line;
}

CommandLine parseUndo(const std::vector<std::string>& arguments) {
  if (arguments.size() > 2 || (arguments.size() == 2 && arguments[1].empty()))
    return mistake("undo takes at most one RUN");
  if (arguments.size() == 2 && arguments[1].find('/') != std::string::npos)
    return mistake("a RUN is a name that history lists, not a path");
  CommandLine line = only(CommandLine::Action::Undo);
  if (arguments.size() == 2) line.runId = arguments[1];
  return line;
}

}  // namespace

CommandLine parseCommandLine(const std::vector<std::string>& arguments) {
  if (arguments.empty()) return {};
  const std::string& first = arguments.front();
  if (arguments.size() == 1 && (first == "--help" || first == "-h")) return only(CommandLine::Action::Help);
  if (arguments.size() == 1 && first == "--version") return only(CommandLine::Action::Version);
  if (first == "import") return parseImport(arguments);
  if (first == "new-catalogue") return parseNewCatalogue(arguments);
  if (first == "undo") return parseUndo(arguments);
  if (first == "history")
    return arguments.size() == 1 ? only(CommandLine::Action::History) : mistake("history takes no arguments");
  return mistake("unknown command \"" + first + "\"");
}

std::string usageText() {
  return "usage: mervalis                      open the window\n"
         "       mervalis import --catalogue FILE --source DIR --dest ROOT [--dry-run] [--json]\n"
         "       mervalis new-catalogue FILE\n"
         "       mervalis undo [RUN]\n"
         "       mervalis history\n"
         "       mervalis --help | --version\n"
         "\n"
         "import files every tagged MP3 of DIR and of the folders one level below it\n"
         "into the catalogue FILE and under ROOT/<Artist>/<Album>/<Title>.mp3, as the\n"
         "window's Process does, and prints the log and the summary.\n"
         "  --dry-run  print what would happen and touch nothing\n"
         "  --json     print one JSON object per file and one with the totals\n"
         "Exit status: 0 every file was filed, 1 some were left where they are,\n"
         "2 the run could not start (bad arguments, catalogue or folder),\n"
         "130 the run was stopped by SIGINT or SIGTERM after the file in hand.\n"
         "\n"
         "new-catalogue makes FILE an empty catalogue; it never replaces a file.\n"
         "\n"
         "undo takes back the run RUN (by default the newest one not undone): each file\n"
         "it filed goes back to where it was and its row leaves the catalogue, unless the\n"
         "file or its row changed since, or another file stands where it was; those are\n"
         "listed and left as they are. Exit status: 0 all undone, 1 some left, 2 nothing\n"
         "could be undone. A stopped undo is finished by the next one.\n"
         "history lists the recorded runs, oldest first, one per line with tabs between\n"
         "the run, when it started, files filed and left, its state, the catalogue, the\n"
         "source and the destination. Runs are recorded in $XDG_STATE_HOME/mervalis/runs\n"
         "(by default ~/.local/state/mervalis/runs).\n";
}

}  // namespace administrator::commandline
