#include <tagcomponent/ocx/AboutBoxLoader.h>

#include <platform/automation/ObjectCreation.h>
#include <dlfcn.h>

#include <memory>
#include <string>

#include <tagcomponent/ComponentServices.h>
#include <tagcomponent/ocx/AboutBoxLibrary.h>
#include <tagcomponent/ocx/OwnResources.h>

namespace tagcomponent::ocx {
namespace {

struct LibraryCloser {
  void operator()(void* library) const { ::dlclose(library); }
};
using LibraryHandle = std::unique_ptr<void, LibraryCloser>;

bool hostHasQtWidgets() { return LibraryHandle(::dlopen(QT_WIDGETS_SONAME, RTLD_LAZY | RTLD_NOLOAD)) != nullptr; }

// Never closed: Qt may still refer to the dialog's meta-objects after it is gone.
ShowAboutBoxFunction loadShowAboutBox() {
  std::string path =
      platform::automation::libraryPathContaining(reinterpret_cast<const void*>(&showAboutBoxFromItsLibrary));
  path = path.substr(0, path.find_last_of('/') + 1) + kAboutBoxLibraryName;
  void* library = ::dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL | RTLD_NODELETE);
  if (!library) return nullptr;
  return reinterpret_cast<ShowAboutBoxFunction>(::dlsym(library, kShowAboutBoxSymbol));
}

}  // namespace

platform::automation::HRESULT showAboutBoxFromItsLibrary() {
  if (!hostHasQtWidgets()) return LYREBOX_E_NOWINDOWSYSTEM;
  static const ShowAboutBoxFunction show = loadShowAboutBox();
  if (!show) return LYREBOX_E_NOABOUTBOX;
  const auto image = ownResource(kAboutImageType, 1), icon = ownResource(kAboutIconType, 1);
  return show(image ? image->data() : nullptr, image ? image->size() : 0, icon ? icon->data() : nullptr,
              icon ? icon->size() : 0);
}

}  // namespace tagcomponent::ocx
