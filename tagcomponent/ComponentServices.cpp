#include <tagcomponent/ComponentServices.h>

namespace lyrebox {

namespace {
ComponentServices& installed() {
  static ComponentServices services;
  return services;
}
}  // namespace

void installComponentServices(ComponentServices services) { installed() = std::move(services); }

automation::HRESULT loadComponentTypeLibrary(automation::ComPtr<automation::ITypeLib>& library) {
  library.reset();
  const auto& load = installed().loadTypeLibrary;
  return load ? load(library) : automation::TYPE_E_LIBNOTREGISTERED;
}

automation::HRESULT showComponentAboutBox() {
  const auto& show = installed().showAboutBox;
  return show ? show() : automation::E_NOTIMPL;
}

}  // namespace lyrebox
