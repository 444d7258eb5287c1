#include <tagcomponent/ocx/OwnResources.h>

#include <platform/resources/EmbeddedResources.h>

namespace tagcomponent::ocx {

// Read from the section as it is loaded with the library: the same bytes a host
// reads from the file, without opening the file again.
std::optional<platform::resources::ResourceBytes> ownResource(const platform::resources::ResourceId& type,
                                                              const platform::resources::ResourceId& name) {
  static const auto table = platform::resources::ResourceTableView::parse(platform::resources::thisLibrarysResources());
  if (!table.status) return std::nullopt;
  return table.value.find(type, name);
}

platform::automation::HRESULT loadOwnTypeLibrary(platform::automation::ComPtr<platform::typelib::ITypeLib>& library) {
  const auto bytes = ownResource("TYPELIB", 1);
  if (!bytes) return platform::automation::TYPE_E_INVDATAREAD;
  return platform::typelib::loadTypeLib(*bytes, library.put());
}

}  // namespace tagcomponent::ocx
