#pragma once
#include <platform/automation/ComObject.h>

#include <platform/typelib/TypeInfo.h>

namespace automation {

// A type library served from its description; its type infos keep it alive.
// Like the platform's other objects it counts in its own library's counter, not
// a server's.
class TypeLibObject : public ComObject<ITypeLib> {
 public:
  const typelib::Library& library() const { return library_; }

  std::uint32_t GetTypeInfoCount() override;
  HRESULT GetTypeInfo(std::uint32_t index, ITypeInfo** type) override;
  HRESULT GetTypeInfoOfGuid(const GUID& guid, ITypeInfo** type) override;
  HRESULT GetLibAttr(LibraryAttributes* attributes) override;
  HRESULT GetDocumentation(std::int32_t index, std::u16string* name, std::u16string* helpString) override;

 protected:
  explicit TypeLibObject(typelib::Library library)
      : library_(std::move(library)) {}
  ~TypeLibObject() override = default;

 private:
  const typelib::Library library_;
};

}  // namespace automation
