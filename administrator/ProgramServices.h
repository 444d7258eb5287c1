#pragma once
#include <platform/automation/ComPtr.h>
#include <platform/automation/Dispatch.h>

#include <QWidget>
#include <memory>
#include <string>

#include <administrator/window/frmMain.h>

namespace administrator {

// Names the application "Mervalis" and makes the component's yields run Qt's
// pending events; call once the QApplication exists.
void prepareApplication();

// The window's tag component, made once the window exists.
struct Lyrebox1 {
  platform::automation::ComPtr<platform::automation::IDispatch> object;
};

// Creates the window's tag component from its registered class, sites it on
// `window` and restores its saved values; null with the reason in `why` when it is
// not registered, cannot be loaded or refuses its place.
platform::automation::ComPtr<platform::automation::IDispatch> createLyrebox1(QWidget& window, std::string* why);

// What the window's buttons do: the import run and its preview over the real file
// system and catalogue with Lyrebox1 as tag reader, and the component's About box.
window::WindowServices programServices(std::shared_ptr<const Lyrebox1> lyrebox);

}  // namespace administrator
