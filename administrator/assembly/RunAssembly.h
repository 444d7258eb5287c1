#pragma once
#include <memory>
#include <string>

#include <platform/automation/ComPtr.h>
#include <platform/automation/Dispatch.h>

#include <administrator/importrun/ImportRun.h>
#include <administrator/undo/RunHistory.h>
#include <administrator/importrun/RunPlanner.h>
#include <administrator/undo/UndoRun.h>

namespace administrator::assembly {

// A run put together the way the program does it, without any user interface:
// the registered tag component as tag reader, the machine's file system, the
// catalogue as a SQLite file and a record of each run in the user's state folder. The window, the
// command line, the benchmarks and the end-to-end tests all file through it.
class RunAssembly {
 public:
  // The tag component made from its registration; null, with the reason in `why`,
  // when it is not registered or cannot be loaded.
  static platform::automation::ComPtr<platform::automation::IDispatch> createTagComponent(std::string* why);

  explicit RunAssembly(platform::automation::ComPtr<platform::automation::IDispatch> tagComponent);
  ~RunAssembly();
  RunAssembly(const RunAssembly&) = delete;
  RunAssembly& operator=(const RunAssembly&) = delete;

  importrun::RunResult run(const importrun::RunInputs& inputs, importrun::RunView& view);
  // What a run would do, touching nothing.
  importrun::RunPlan plan(const importrun::RunInputs& inputs);
  // Whether a run could open the catalogue, checked without changing it: a file
  // that is not a catalogue, or that cannot be written, is refused.
  platform::status::Status checkCatalogue(const std::string& path);

  // Takes a recorded run back (empty id: the newest not undone); needs no tag component.
  static undo::UndoResult undo(const std::string& runId, importrun::RunView& view);
  // Every recorded run of this user, oldest first.
  static std::vector<undo::HistoryEntry> history();

 private:
  struct Parts;
  std::unique_ptr<Parts> parts_;
};

}  // namespace administrator::assembly
