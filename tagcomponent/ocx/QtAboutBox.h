#pragma once
#include <automation/HResult.h>

namespace lyrebox {

// Shows frmAbout modally, without an owner, with the pictures this library
// carries; returns once it is closed. LYREBOX_E_NOWINDOWSYSTEM when the host
// process runs no Qt widget application (a console host cannot show it), or
// when called on another thread than the application's.
automation::HRESULT showQtAboutBox();

}  // namespace lyrebox
