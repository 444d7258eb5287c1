#include "ProgramServices.h"

#include <automation/ObjectCreation.h>
#include <catalogue/SqliteCatalogue.h>
#include <database/SqliteEngine.h>
#include <filesystem/PosixFileSystem.h>
#include <tagcomponent/LyreboxIdentity.h>

#include <DispatchTagReader.h>
#include <FileRecoveryJournal.h>
#include <ImportRun.h>

namespace mervalis {
namespace {

// The database engine is made at the first run and kept until the program ends.
platform::database::SqliteEngine& databaseEngine() {
  static platform::database::SqliteEngine engine;
  return engine;
}

void runImport(const automation::ComPtr<automation::IDispatch>& lyrebox, const RunInputs& inputs, RunView& view) {
  DispatchTagReader tags(lyrebox);
  platform::filesystem::PosixFileSystem files;
  SqliteCatalogue catalogue(databaseEngine());
  FileRecoveryJournal journal;
  ImportRun(tags, files, catalogue, view, journal).run(inputs);
}

QString showAbout(const automation::ComPtr<automation::IDispatch>& lyrebox) {
  const automation::HRESULT hr = automation::callMethod(lyrebox.get(), lyrebox::DISPID_About, nullptr);
  if (automation::succeeded(hr)) return QString();
  return QStringLiteral("The About box of Lyrebox could not be shown (%1).")
      .arg(QString::fromStdString(describeFailure(hr)));
}

}  // namespace

automation::ComPtr<automation::IDispatch> createLyrebox1(std::string* why) {
  automation::ComPtr<automation::IDispatch> lyrebox;
  if (automation::failed(automation::createInstanceByProgId(lyrebox::kProgId, lyrebox, why))) return nullptr;
  return lyrebox;
}

WindowServices programServices(automation::ComPtr<automation::IDispatch> lyrebox) {
  WindowServices services;
  services.runImport = [lyrebox](const RunInputs& inputs, RunView& view) { runImport(lyrebox, inputs, view); };
  services.showAbout = [lyrebox] { return showAbout(lyrebox); };
  return services;
}

}  // namespace mervalis
