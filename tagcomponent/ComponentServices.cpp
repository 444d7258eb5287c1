#include <tagcomponent/ComponentServices.h>

namespace tagcomponent {

namespace {
ComponentServices& installed() {
  static ComponentServices services;
  return services;
}
}  // namespace

void installComponentServices(ComponentServices services) { installed() = std::move(services); }

platform::automation::HRESULT loadComponentTypeLibrary(
    platform::automation::ComPtr<platform::typelib::ITypeLib>& library) {
  library.reset();
  const auto& load = installed().loadTypeLibrary;
  return load ? load(library) : platform::automation::TYPE_E_LIBNOTREGISTERED;
}

platform::automation::HRESULT showComponentAboutBox() {
  const auto& show = installed().showAboutBox;
  return show ? show() : platform::automation::E_NOTIMPL;
}

}  // namespace tagcomponent
