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

namespace administrator {
namespace {

QString showAbout(const platform::automation::ComPtr<platform::automation::IDispatch>& lyrebox) {
  const platform::automation::HRESULT hr =
      platform::automation::callMethod(lyrebox.get(), tagcomponent::DISPID_About, nullptr);
  if (platform::automation::succeeded(hr)) return QString();
  return QStringLiteral("The About box of Lyrebox could not be shown (%1).")
      .arg(QString::fromStdString(platform::automation::hresultText(hr)));
}

// The site comes before anything else, as the control's class asks.
platform::automation::HRESULT siteOnWindow(const platform::automation::ComPtr<platform::automation::IDispatch>& lyrebox,
                                           QWidget& window) {
  platform::automation::ComPtr<platform::automation::ISitedControl> sited;
  if (const platform::automation::HRESULT hr = lyrebox.as(sited); platform::automation::failed(hr)) return hr;
  return sited->SetControlSite(platform::automation::makeObject<window::WindowControlSite>(&window).get());
}

// The control's values kept with the window's description; empty on success.
std::string restoreSavedProperties(const platform::automation::ComPtr<platform::automation::IDispatch>& lyrebox) {
  const platform::automation::ParsedBagText saved =
      platform::automation::parseBagText(window::kLyrebox1SavedProperties);
  if (saved.error) return "The window's saved values for Lyrebox1 are damaged: " + saved.error->message();
  platform::automation::ComPtr<platform::automation::IPersistPropertyBag> persist;
  platform::automation::HRESULT hr = lyrebox.as(persist);
  if (platform::automation::succeeded(hr))
    hr =
        persist->Load(platform::automation::makeObject<platform::automation::InMemoryPropertyBag>(saved.entries).get());
  if (platform::automation::failed(hr))
    return "The tag component could not restore its saved values (" + platform::automation::hresultText(hr) + ").";
  return {};
}

}  // namespace

void prepareApplication() {
  QApplication::setApplicationName(QStringLiteral("Mervalis"));
  QApplication::setApplicationDisplayName(QStringLiteral("Mervalis"));
  platform::ui::installQtPendingEvents();
}

platform::automation::ComPtr<platform::automation::IDispatch> createLyrebox1(QWidget& window, std::string* why) {
  platform::automation::ComPtr<platform::automation::IDispatch> lyrebox;
  lyrebox = assembly::RunAssembly::createTagComponent(why);
  if (!lyrebox) return nullptr;
  if (const platform::automation::HRESULT hr = siteOnWindow(lyrebox, window); platform::automation::failed(hr)) {
    if (why)
      *why = "The tag component refused its place on the window (" + platform::automation::hresultText(hr) + ").";
    return nullptr;
  }
  if (const std::string restoreFailure = restoreSavedProperties(lyrebox); !restoreFailure.empty()) {
    if (why) *why = restoreFailure;
    return nullptr;
  }
  return lyrebox;
}

window::WindowServices programServices(std::shared_ptr<const Lyrebox1> lyrebox) {
  window::WindowServices services;
  services.runImport = [lyrebox](const importrun::RunInputs& inputs, importrun::RunView& view) {
    assembly::RunAssembly(lyrebox->object).run(inputs, view);
  };
  services.preview = [lyrebox](const importrun::RunInputs& inputs) {
    assembly::RunAssembly assembly(lyrebox->object);
    window::RunPreview preview{assembly.plan(inputs), platform::status::Status::success()};
    if (!inputs.cataloguePath.empty()) preview.catalogue = assembly.checkCatalogue(inputs.cataloguePath);
    return preview;
  };
  services.showAbout = [lyrebox] { return showAbout(lyrebox->object); };
  services.undoRun = [](const std::string& runId, importrun::RunView& view) {
    assembly::RunAssembly::undo(runId, view);
  };
  return services;
}

}  // namespace administrator
