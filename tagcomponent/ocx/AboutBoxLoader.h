#pragma once
#include <platform/automation/HResult.h>

namespace tagcomponent::ocx {

// Shows the About box from its library beside this one (AboutBoxLibrary.h),
// loaded on the first call and kept. LYREBOX_E_NOWINDOWSYSTEM without loading
// anything when the host has no Qt widgets loaded, as then it runs no widget
// application; LYREBOX_E_NOABOUTBOX when the library is missing or unusable.
platform::automation::HRESULT showAboutBoxFromItsLibrary();

}  // namespace tagcomponent::ocx
