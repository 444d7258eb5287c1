#pragma once
#include <string_view>

#include <platform/automation/HResult.h>
#include <platform/automation/Unknown.h>
#include <platform/automation/Variant.h>

namespace platform::automation {

// A set of named values a host hands a control to save or restore its properties.
// Keys are matched without regard to letter case.
struct IPropertyBag : IUnknown {
  // Copies the value stored under `key` into *value; E_INVALIDARG when no such key
  // is stored (readProperty turns that into the default), other failures as they come.
  virtual HRESULT Read(std::u16string_view key, Variant* value) = 0;
  // Stores `value` under `key`, replacing what a key of the same letters held.
  virtual HRESULT Write(std::u16string_view key, const Variant& value) = 0;

 protected:
  ~IPropertyBag() = default;
};
template <>
struct InterfaceId<IPropertyBag> {
  static constexpr IID value = IID_IPropertyBag;
};

// Whether two keys name the same property: equal but for the case of ASCII letters.
bool sameBagKey(std::u16string_view a, std::u16string_view b);

// Whether writing `value` with `defaultValue` may be left out: integers of any width
// compare by value, strings exactly, booleans with booleans and empty with empty;
// values of different kinds (a string against a numeric default) always differ.
bool equalsDefault(const Variant& value, const Variant& defaultValue);

// Reads `key` into *value; an absent key gives `defaultValue`. Any other failure of
// the bag is returned and *value is left as it was.
HRESULT readProperty(IPropertyBag* bag, std::u16string_view key, const Variant& defaultValue, Variant* value);

// Writes `value` under `key` unless it equals `defaultValue` (then S_OK, nothing
// written), so saved data holds only what differs from a new instance.
HRESULT writeProperty(IPropertyBag* bag, std::u16string_view key, const Variant& value, const Variant& defaultValue);

}  // namespace platform::automation
