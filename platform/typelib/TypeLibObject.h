#pragma once
#include <platform/automation/ComObject.h>

#include <platform/typelib/TypeInfo.h>

namespace platform::typelib {

// A type library served from its description; its type infos keep it alive.
// Like the platform's other objects it counts in its own library's counter, not
// a server's.
class TypeLibObject : public automation::ComObject<ITypeLib> {
 public:
  const typelib::Library& library() const { return library_; }

  std::uint32_t GetTypeInfoCount() override;
  automation::HRESULT GetTypeInfo(std::uint32_t index, ITypeInfo** type) override;
  automation::HRESULT GetTypeInfoOfGuid(const automation::GUID& guid, ITypeInfo** type) override;
  automation::HRESULT GetLibAttr(LibraryAttributes* attributes) override;
  automation::HRESULT GetDocumentation(std::int32_t index, std::u16string* name, std::u16string* helpString) override;

 protected:
  explicit TypeLibObject(typelib::Library library) : library_(std::move(library)) {}
  ~TypeLibObject() override = default;

 private:
  const typelib::Library library_;
};

}  // namespace platform::typelib
