#include <tagcomponent/ocx/OwnResources.h>

#include <platform/resources/EmbeddedResources.h>

namespace lyrebox {

// Read from the section as it is loaded with the library: the same bytes a host
// reads from the file, without opening the file again.
std::optional<resources::ResourceBytes> ownResource(const resources::ResourceId& type,
                                                    const resources::ResourceId& name) {
  static const auto table = resources::ResourceTableView::parse(resources::thisLibrarysResources());
  if (!table.status) return std::nullopt;
  return table.value.find(type, name);
}

automation::HRESULT loadOwnTypeLibrary(automation::ComPtr<automation::ITypeLib>& library) {
  const auto bytes = ownResource("TYPELIB", 1);
  if (!bytes) return automation::TYPE_E_INVDATAREAD;
  return automation::loadTypeLib(*bytes, library.put());
}

}  // namespace lyrebox
