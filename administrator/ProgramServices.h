#pragma once
#include <automation/ComPtr.h>
#include <automation/Dispatch.h>

#include <QWidget>
#include <string>

#include "window/frmMain.h"

namespace mervalis {

// Creates the window's tag component from its registered class; null with the
// reason in `why` when it is not registered or cannot be loaded.
automation::ComPtr<automation::IDispatch> createLyrebox1(std::string* why);

// What the window's buttons do: the import run over the real file system and
// catalogue with `lyrebox` as tag reader, and the component's About box.
WindowServices programServices(automation::ComPtr<automation::IDispatch> lyrebox);

}  // namespace mervalis
