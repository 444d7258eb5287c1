#include <administrator/assembly/RunAssembly.h>

#include <platform/automation/ObjectCreation.h>
#include <administrator/catalogue/SqliteCatalogue.h>
#include <platform/database/SqliteEngine.h>
#include <platform/filesystem/PosixFileSystem.h>
#include <tagcomponent/LyreboxIdentity.h>

#include <administrator/importrun/DispatchTagReader.h>
#include <administrator/runrecord/FileRunRecord.h>

namespace administrator::assembly {

struct RunAssembly::Parts {
  explicit Parts(platform::automation::ComPtr<platform::automation::IDispatch> component)
      : tags(std::move(component)) {}
  importrun::DispatchTagReader tags;
  platform::filesystem::PosixFileSystem files;
  platform::database::SqliteEngine engine;
};

platform::automation::ComPtr<platform::automation::IDispatch> RunAssembly::createTagComponent(std::string* why) {
  platform::automation::ComPtr<platform::automation::IDispatch> component;
  if (platform::automation::failed(platform::automation::createInstanceByProgId(tagcomponent::kProgId, component, why)))
    return nullptr;
  return component;
}

RunAssembly::RunAssembly(platform::automation::ComPtr<platform::automation::IDispatch> tagComponent)
    : parts_(std::make_unique<Parts>(std::move(tagComponent))) {}

RunAssembly::~RunAssembly() = default;

importrun::RunResult RunAssembly::run(const importrun::RunInputs& inputs, importrun::RunView& view) {
  catalogue::SqliteCatalogue catalogue(parts_->engine);
  runrecord::FileRunRecord record;
  return importrun::ImportRun(parts_->tags, parts_->files, catalogue, view, record).run(inputs);
}

importrun::RunPlan RunAssembly::plan(const importrun::RunInputs& inputs) {
  return importrun::planRun(parts_->tags, parts_->files, inputs);
}

undo::UndoResult RunAssembly::undo(const std::string& runId, importrun::RunView& view) {
  platform::filesystem::PosixFileSystem files;
  platform::database::SqliteEngine engine;
  catalogue::SqliteCatalogue catalogue(engine);
  return undo::UndoRun(files, catalogue, view).undo(runId);
}

std::vector<undo::HistoryEntry> RunAssembly::history() { return undo::runHistory(runrecord::RunRecordFolder()); }

platform::status::Status RunAssembly::checkCatalogue(const std::string& path) {
  return catalogue::SqliteCatalogue::check(parts_->engine, path);
}

}  // namespace administrator::assembly
