#include <administrator/commandline/CommandLineRun.h>

#include <unistd.h>

#include <cstdio>
#include <filesystem>

#include <administrator/assembly/RunAssembly.h>
#include <administrator/catalogue/CatalogueCreation.h>
#include <platform/database/SqliteEngine.h>
#include <administrator/importrun/RunTexts.h>
#include <platform/text/Utf.h>

#include <administrator/commandline/ConsoleRunView.h>
#include <administrator/commandline/ConsoleUndoView.h>
#include <administrator/commandline/JsonText.h>
#include <administrator/commandline/StopSignals.h>

namespace administrator::commandline {

using platform::status::Status;
namespace {

constexpr int kAllFiled = 0, kSomeLeft = 1, kNotStarted = 2;
// As a shell reports a program ended by SIGINT, though this one ended in order.
constexpr int kStopped = 130;

int cannotStart(const std::string& reason) {
  std::fprintf(stderr, "mervalis: %s\n", reason.c_str());
  return kNotStarted;
}

void printPlanned(const importrun::PlannedFile& file, const importrun::RunInputs& inputs, bool json) {
  const std::u16string outcome = importrun::texts::plannedOutcome(file, inputs.destinationRoot);
  if (!json) {
    printLines(stdout, platform::text::utf16FromUtf8(file.name) + u" - " + outcome + u"\n");
    return;
  }
  JsonObject object;
  object.text("name", platform::text::utf16FromUtf8(file.name))
      .text("source", platform::text::utf16FromUtf8(file.sourcePath))
      .text("action", file.filed() ? u"file" : u"leave");
  if (file.filed())
    object.text("target", platform::text::utf16FromUtf8(file.target));
  else
    object.text("reason", outcome);
  std::printf("%s\n", object.line().c_str());
}

int dryRun(assembly::RunAssembly& assembly, const importrun::RunInputs& inputs, bool json) {
  if (const Status catalogue = assembly.checkCatalogue(inputs.cataloguePath); !catalogue)
    return cannotStart(catalogue.reason());
  const importrun::RunPlan plan = assembly.plan(inputs);
  if (!plan.status) return cannotStart(plan.status.reason());
  for (const auto& file : plan.files) printPlanned(file, inputs, json);
  if (json)
    std::printf("%s\n", JsonObject().number("file", plan.filed).number("leave", plan.left).line().c_str());
  else
    printLines(stdout, u"\n" + importrun::texts::plannedCounts(plan.filed, plan.left) + u"\n");
  return plan.left > 0 ? kSomeLeft : kAllFiled;
}

// The catalogue row names the file by its full path, as the window gives it.
std::string absolute(const std::string& path) {
  std::error_code error;
  const auto full = std::filesystem::absolute(path, error).lexically_normal();
  std::string text = error ? path : full.string();
  if (text.size() > 1 && text.back() == '/') text.pop_back();
  return text;
}

// Where the component most likely lies: beside the program in a build, below the
// installation's library folder (lib/<multiarch>/mervalis in a Debian package).
std::string componentLibraryHint() {
  std::error_code error;
  const auto program = std::filesystem::read_symlink("/proc/self/exe", error);
  if (!error)
    for (const char* relative : {"Lyrebox.ocx", "../" MERVALIS_LIBDIR "/mervalis/Lyrebox.ocx"})
      if (const auto candidate = program.parent_path() / relative; std::filesystem::exists(candidate, error))
        return std::filesystem::weakly_canonical(candidate, error).string();
  return "/path/to/Lyrebox.ocx";
}

int import(const CommandLine& line) {
  std::string why;
  const auto component = assembly::RunAssembly::createTagComponent(&why);
  if (!component)
    return cannotStart("the tag component Lyrebox (prjLyrebox.Lyrebox) is not registered or cannot be loaded: " + why +
                       "\nRegister it with: regsvr " + componentLibraryHint());
  assembly::RunAssembly assembly(component);
  const importrun::RunInputs inputs{absolute(line.catalogue), absolute(line.source), absolute(line.destination)};
  if (line.dryRun) return dryRun(assembly, inputs, line.json);
  ConsoleRunView view(line.json, ::isatty(STDERR_FILENO) == 1, &StopSignals::received);
  importrun::RunResult result;
  {
    const StopSignals stopSignals;
    result = assembly.run(inputs, view);
  }
  view.finish(result);
  if (!result.started) return kNotStarted;
  if (result.stopped) return kStopped;
  return result.left > 0 ? kSomeLeft : kAllFiled;
}

int newCatalogue(const CommandLine& line) {
  platform::database::SqliteEngine engine;
  const std::string path = absolute(line.catalogue);
  if (const Status created = catalogue::createCatalogue(engine, path); !created) return cannotStart(created.reason());
  std::printf("created the empty catalogue %s\n", path.c_str());
  return 0;
}

int undo(const CommandLine& line) {
  ConsoleUndoView view;
  const undo::UndoResult result = assembly::RunAssembly::undo(line.runId, view);
  view.finish(result.started);
  if (!result.started) return kNotStarted;
  return result.kept > 0 ? kSomeLeft : kAllFiled;
}

int history() {
  std::fputs(undo::historyHeader().c_str(), stdout);
  for (const undo::HistoryEntry& entry : assembly::RunAssembly::history())
    std::fputs(undo::historyLine(entry).c_str(), stdout);
  return 0;
}

}  // namespace

int runCommandLine(const CommandLine& line) {
  switch (line.action) {
    case CommandLine::Action::Help: std::fputs(usageText().c_str(), stdout); return 0;
    case CommandLine::Action::Version: std::printf("mervalis %s\n", MERVALIS_VERSION); return 0;
    case CommandLine::Action::Import: return import(line);
    case CommandLine::Action::NewCatalogue: return newCatalogue(line);
    case CommandLine::Action::Undo: return undo(line);
    case CommandLine::Action::History: return history();
    case CommandLine::Action::Window:
    case CommandLine::Action::Mistake: break;
  }
  std::fprintf(stderr, "mervalis: %s\n%s", line.mistake.c_str(), usageText().c_str());
  return kNotStarted;
}

}  // namespace administrator::commandline
