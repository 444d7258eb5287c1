#pragma once
// What the control needs from the library that carries it: the library's own type
// library and the About box. The library installs both when it is loaded, so the
// control's code stays free of any window system and of how resources are stored.
#include <platform/automation/ComPtr.h>
#include <platform/automation/HResult.h>
#include <platform/typelib/TypeInfo.h>

#include <functional>

namespace tagcomponent {

// The About box cannot be shown: the host process runs no Qt application.
constexpr platform::automation::HRESULT LYREBOX_E_NOWINDOWSYSTEM = platform::automation::hresultFrom(0x80040A01);
// The About box's library beside the component is missing or cannot be loaded.
constexpr platform::automation::HRESULT LYREBOX_E_NOABOUTBOX = platform::automation::hresultFrom(0x80040A02);

struct ComponentServices {
  // Unset: TYPE_E_LIBNOTREGISTERED.
  std::function<platform::automation::HRESULT(platform::automation::ComPtr<platform::typelib::ITypeLib>&)>
      loadTypeLibrary;
  // Shows the About box modally and returns once it is closed. Unset: E_NOTIMPL.
  std::function<platform::automation::HRESULT()> showAboutBox;
};

// Replaces the services; an unset member falls back to its failure above.
void installComponentServices(ComponentServices services);
platform::automation::HRESULT loadComponentTypeLibrary(
    platform::automation::ComPtr<platform::typelib::ITypeLib>& library);
platform::automation::HRESULT showComponentAboutBox();

}  // namespace tagcomponent
