#include "OwnResources.h"

// Defined by the resource table generated into this library.
extern "C" const resources::Table* DllGetResourceTable();

namespace lyrebox {

std::optional<resources::ResourceBytes> ownResource(const resources::ResourceId& type,
                                                    const resources::ResourceId& name) {
  const auto table = resources::ResourceTableView::of(DllGetResourceTable());
  if (!table) return std::nullopt;
  return table->find(type, name);
}

automation::HRESULT loadOwnTypeLibrary(automation::ComPtr<automation::ITypeLib>& library) {
  const auto bytes = ownResource("TYPELIB", 1);
  if (!bytes) return automation::TYPE_E_INVDATAREAD;
  return automation::loadTypeLib(*bytes, library.put());
}

}  // namespace lyrebox
