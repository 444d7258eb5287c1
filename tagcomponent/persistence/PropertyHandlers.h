#pragma once
#include <platform/automation/HResult.h>
#include <platform/automation/PropertyBag.h>

#include <tagcomponent/persistence/ControlState.h>

namespace tagcomponent::persistence {

// A new instance with no saved state: no file name and the no-tag values. Opens no
// file; the marker keeps what it holds.
void UserControl_InitProperties(ControlState state);

// Restores the file name and the six fields from `PropBag`; absent keys take the
// defaults of a new instance. The file is neither opened nor loaded. Texts are cut
// or padded into their fields. The first failing read or conversion ends the
// restore and is returned: what came before keeps its new value, the rest is
// unchanged (a "Tag_Genre" beyond 0..255 gives DISP_E_OVERFLOW, one that is no
// number DISP_E_TYPEMISMATCH).
platform::automation::HRESULT UserControl_ReadProperties(ControlState state,
                                                         platform::automation::IPropertyBag* PropBag);

// Writes the file name and the six fields, untrimmed, leaving out those that equal
// their defaults (the year, a string, is always written). The first failing write
// ends the save and is returned.
platform::automation::HRESULT UserControl_WriteProperties(ConstControlState state,
                                                          platform::automation::IPropertyBag* PropBag);

}  // namespace tagcomponent::persistence
