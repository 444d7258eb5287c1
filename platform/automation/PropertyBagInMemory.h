#pragma once
#include <platform/automation/ComObject.h>
#include <platform/automation/PropertyBag.h>
#include <platform/automation/PropertyBagEntries.h>

namespace platform::automation {

// A property bag held in memory, as a host keeps a control's saved values between
// its window description on disk and the control. Make it with makeObject; a
// bag made from entries holds them as given.
class InMemoryPropertyBag : public ComObject<IPropertyBag> {
 public:
  HRESULT Read(std::u16string_view key, Variant* value) override;
  // A key already stored (in any letter case) keeps its place and first spelling.
  HRESULT Write(std::u16string_view key, const Variant& value) override;

  const BagEntries& entries() const { return entries_; }

 protected:
  // Out of line, so the bag counts towards this library's objects wherever it is made.
  InMemoryPropertyBag();
  explicit InMemoryPropertyBag(BagEntries entries);
  ~InMemoryPropertyBag() override;

 private:
  BagEntries entries_;
};

}  // namespace platform::automation
