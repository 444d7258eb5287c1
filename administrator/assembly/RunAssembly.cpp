#include <administrator/assembly/RunAssembly.h>

#include <platform/automation/ObjectCreation.h>
#include <administrator/catalogue/SqliteCatalogue.h>
#include <platform/database/SqliteEngine.h>
#include <platform/filesystem/PosixFileSystem.h>
#include <tagcomponent/LyreboxIdentity.h>

#include <administrator/importrun/DispatchTagReader.h>
#include <administrator/runrecord/FileRunRecord.h>

namespace mervalis {

struct RunAssembly::Parts {
  explicit Parts(automation::ComPtr<automation::IDispatch> component) : tags(std::move(component)) {}
  DispatchTagReader tags;
  platform::filesystem::PosixFileSystem files;
  platform::database::SqliteEngine engine;
};

automation::ComPtr<automation::IDispatch> RunAssembly::createTagComponent(std::string* why) {
  automation::ComPtr<automation::IDispatch> component;
  if (automation::failed(automation::createInstanceByProgId(lyrebox::kProgId, component, why))) return nullptr;
  return component;
}

RunAssembly::RunAssembly(automation::ComPtr<automation::IDispatch> tagComponent)
    : parts_(std::make_unique<Parts>(std::move(tagComponent))) {}

RunAssembly::~RunAssembly() = default;

RunResult RunAssembly::run(const RunInputs& inputs, RunView& view) {
  SqliteCatalogue catalogue(parts_->engine);
  FileRunRecord record;
  return ImportRun(parts_->tags, parts_->files, catalogue, view, record).run(inputs);
}

RunPlan RunAssembly::plan(const RunInputs& inputs) { return planRun(parts_->tags, parts_->files, inputs); }

UndoResult RunAssembly::undo(const std::string& runId, RunView& view) {
  platform::filesystem::PosixFileSystem files;
  platform::database::SqliteEngine engine;
  SqliteCatalogue catalogue(engine);
  return UndoRun(files, catalogue, view).undo(runId);
}

std::vector<HistoryEntry> RunAssembly::history() { return runHistory(RunRecordFolder()); }

Status RunAssembly::checkCatalogue(const std::string& path) { return SqliteCatalogue::check(parts_->engine, path); }

}  // namespace mervalis
