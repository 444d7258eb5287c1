#pragma once
// The About box lives in a library of its own beside the component, loaded on the
// first About: its widget code, and with it Qt's widget libraries, never reach a
// host that does not show it, such as the command line on a machine without a
// display. This is what the two libraries agree on.
#include <platform/automation/HResult.h>

#include <cstddef>

namespace tagcomponent::ocx {

// The library's file name, in the component's own folder.
inline constexpr const char* kAboutBoxLibraryName = "LyreboxAbout.so";

// Shows frmAbout modally, without an owner, with the pictures given as the bytes
// of a BMP and an ICO file (either may be empty); returns once it is closed.
// LYREBOX_E_NOWINDOWSYSTEM when the host process runs no Qt widget application,
// or when called on another thread than the application's.
inline constexpr const char* kShowAboutBoxSymbol = "lyreboxShowAboutBox";
extern "C" {
using ShowAboutBoxFunction = platform::automation::HRESULT (*)(const unsigned char* image, std::size_t imageSize,
                                                               const unsigned char* icon, std::size_t iconSize);
}

}  // namespace tagcomponent::ocx
