#include <administrator/ProgramServices.h>

#include <platform/automation/ControlSite.h>
#include <platform/automation/HResultText.h>
#include <platform/automation/ObjectCreation.h>
#include <platform/automation/PersistPropertyBag.h>
#include <platform/automation/PropertyBagInMemory.h>
#include <platform/automation/PropertyBagText.h>
#include <tagcomponent/LyreboxIdentity.h>
#include <platform/ui/QtPendingEvents.h>

#include <QApplication>

#include <administrator/importrun/DispatchTagReader.h>
#include <administrator/assembly/RunAssembly.h>

#include <administrator/window/Lyrebox1SavedProperties.h>
#include <administrator/window/WindowDispatch.h>

namespace mervalis {
namespace {

QString showAbout(const automation::ComPtr<automation::IDispatch>& lyrebox) {
  const automation::HRESULT hr = automation::callMethod(lyrebox.get(), lyrebox::DISPID_About, nullptr);
  if (automation::succeeded(hr)) return QString();
  return QStringLiteral("The About box of Lyrebox could not be shown (%1).")
      .arg(QString::fromStdString(automation::hresultText(hr)));
}

// The site comes before anything else, as the control's class asks.
automation::HRESULT siteOnWindow(const automation::ComPtr<automation::IDispatch>& lyrebox, QWidget& window) {
  automation::ComPtr<automation::ISitedControl> sited;
  if (const automation::HRESULT hr = lyrebox.as(sited); automation::failed(hr)) return hr;
  return sited->SetControlSite(automation::makeObject<WindowControlSite>(&window).get());
}

// The control's values kept with the window's description; empty on success.
std::string restoreSavedProperties(const automation::ComPtr<automation::IDispatch>& lyrebox) {
  using namespace automation;
  const ParsedBagText saved = parseBagText(kLyrebox1SavedProperties);
  if (saved.error) return "The window's saved values for Lyrebox1 are damaged: " + saved.error->message();
  ComPtr<IPersistPropertyBag> persist;
  HRESULT hr = lyrebox.as(persist);
  if (succeeded(hr)) hr = persist->Load(makeObject<InMemoryPropertyBag>(saved.entries).get());
  if (failed(hr)) return "The tag component could not restore its saved values (" + automation::hresultText(hr) + ").";
  return {};
}

}  // namespace

void prepareApplication() {
  QApplication::setApplicationName(QStringLiteral("Mervalis"));
  QApplication::setApplicationDisplayName(QStringLiteral("Mervalis"));
  platform::ui::installQtPendingEvents();
}

automation::ComPtr<automation::IDispatch> createLyrebox1(QWidget& window, std::string* why) {
  using namespace automation;
  ComPtr<IDispatch> lyrebox;
  lyrebox = RunAssembly::createTagComponent(why);
  if (!lyrebox) return nullptr;
  if (const HRESULT hr = siteOnWindow(lyrebox, window); failed(hr)) {
    if (why) *why = "The tag component refused its place on the window (" + automation::hresultText(hr) + ").";
    return nullptr;
  }
  if (const std::string restoreFailure = restoreSavedProperties(lyrebox); !restoreFailure.empty()) {
    if (why) *why = restoreFailure;
    return nullptr;
  }
  return lyrebox;
}

WindowServices programServices(std::shared_ptr<const Lyrebox1> lyrebox) {
  WindowServices services;
  services.runImport = [lyrebox](const RunInputs& inputs, RunView& view) {
    RunAssembly(lyrebox->object).run(inputs, view);
  };
  services.preview = [lyrebox](const RunInputs& inputs) {
    RunAssembly assembly(lyrebox->object);
    RunPreview preview{assembly.plan(inputs), Status::success()};
    if (!inputs.cataloguePath.empty()) preview.catalogue = assembly.checkCatalogue(inputs.cataloguePath);
    return preview;
  };
  services.showAbout = [lyrebox] { return showAbout(lyrebox->object); };
  services.undoRun = [](const std::string& runId, RunView& view) { RunAssembly::undo(runId, view); };
  return services;
}

}  // namespace mervalis
