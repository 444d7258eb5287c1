#include <platform/automation/PropertyBag.h>

#include <algorithm>

#include <platform/text/NameCase.h>

#include <platform/automation/PropertyBagEntries.h>
#include <platform/automation/PropertyBagInMemory.h>

namespace platform::automation {
namespace {

bool isInteger(VARTYPE type) { return type == VT_I2 || type == VT_I4 || type == VT_UI1; }

}  // namespace

bool sameBagKey(std::u16string_view a, std::u16string_view b) { return platform::text::sameIgnoringAsciiCase(a, b); }

bool equalsDefault(const Variant& value, const Variant& defaultValue) {
  // The accessors of every integer kind widen losslessly to 32 bits.
  auto widened = [](const Variant& v) {
    return v.type() == VT_I2 ? std::int32_t{v.i2()} : v.type() == VT_UI1 ? std::int32_t{v.ui1()} : v.i4();
  };
  if (isInteger(value.type()) && isInteger(defaultValue.type())) return widened(value) == widened(defaultValue);
  if (value.type() != defaultValue.type()) return false;
  switch (value.type()) {
    case VT_EMPTY: return true;
    case VT_BSTR: return value.bstr() == defaultValue.bstr();
    case VT_BOOL: return value.boolean() == defaultValue.boolean();
    default: return false;  // objects are always written
  }
}

HRESULT readProperty(IPropertyBag* bag, std::u16string_view key, const Variant& defaultValue, Variant* value) {
  if (!bag || !value) return E_POINTER;
  Variant stored;
  const HRESULT hr = bag->Read(key, &stored);
  if (hr == E_INVALIDARG) {
    *value = defaultValue;
    return S_OK;
  }
  if (failed(hr)) return hr;
  *value = std::move(stored);
  return S_OK;
}

HRESULT writeProperty(IPropertyBag* bag, std::u16string_view key, const Variant& value, const Variant& defaultValue) {
  if (!bag) return E_POINTER;
  if (equalsDefault(value, defaultValue)) return S_OK;
  return bag->Write(key, value);
}

const BagEntry* findBagEntry(const BagEntries& entries, std::u16string_view key) {
  const auto found = std::ranges::find_if(entries, [key](const BagEntry& e) { return sameBagKey(e.key, key); });
  return found == entries.end() ? nullptr : &*found;
}

InMemoryPropertyBag::InMemoryPropertyBag() = default;
InMemoryPropertyBag::InMemoryPropertyBag(BagEntries entries) : entries_(std::move(entries)) {}
InMemoryPropertyBag::~InMemoryPropertyBag() = default;

HRESULT InMemoryPropertyBag::Read(std::u16string_view key, Variant* value) {
  if (!value) return E_POINTER;
  const BagEntry* entry = findBagEntry(entries_, key);
  if (!entry) return E_INVALIDARG;
  *value = entry->value;
  return S_OK;
}

HRESULT InMemoryPropertyBag::Write(std::u16string_view key, const Variant& value) {
  if (key.empty()) return E_INVALIDARG;
  const auto found = std::ranges::find_if(entries_, [key](const BagEntry& e) { return sameBagKey(e.key, key); });
  if (found != entries_.end()) {
    found->value = value;
    return S_OK;
  }
  entries_.push_back({std::u16string(key), value});
  return S_OK;
}

}  // namespace platform::automation
