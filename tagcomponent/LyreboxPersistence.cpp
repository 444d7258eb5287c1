#include <tagcomponent/AutomationNames.h>
#include <tagcomponent/Lyrebox.h>
#include <tagcomponent/persistence/PropertyHandlers.h>

namespace tagcomponent {

HRESULT Lyrebox::InitNew() {
  return entered([&]() -> HRESULT {
    if (propertiesInitialised_) return E_UNEXPECTED;
    propertiesInitialised_ = true;
    persistence::UserControl_InitProperties({fileName_, record_});
    return S_OK;
  });
}

HRESULT Lyrebox::Load(IPropertyBag* bag) {
  return entered([&]() -> HRESULT {
    if (!bag) return E_POINTER;
    if (propertiesInitialised_) return E_UNEXPECTED;
    propertiesInitialised_ = true;
    return persistence::UserControl_ReadProperties({fileName_, record_}, bag);
  });
}

HRESULT Lyrebox::Save(IPropertyBag* bag) {
  return entered([&]() -> HRESULT {
    return persistence::UserControl_WriteProperties(persistence::ConstControlState{fileName_, record_}, bag);
  });
}

}  // namespace tagcomponent
