#pragma once
#include <atomic>

#include <automation/ComPtr.h>

#include "TypeInfo.h"

namespace automation {

// A type library served from its description; its type infos keep it alive.
class TypeLibObject final : public ITypeLib {
 public:
  static ComPtr<TypeLibObject> create(typelib::Library library);
  const typelib::Library& library() const { return library_; }

  HRESULT QueryInterface(const IID& iid, void** object) override;
  std::uint32_t AddRef() override;
  std::uint32_t Release() override;

  std::uint32_t GetTypeInfoCount() override;
  HRESULT GetTypeInfo(std::uint32_t index, ITypeInfo** type) override;
  HRESULT GetTypeInfoOfGuid(const GUID& guid, ITypeInfo** type) override;
  HRESULT GetLibAttr(LibraryAttributes* attributes) override;
  HRESULT GetDocumentation(std::int32_t index, std::u16string* name, std::u16string* helpString) override;

 private:
  explicit TypeLibObject(typelib::Library library) : library_(std::move(library)) {}
  ~TypeLibObject() = default;

  std::atomic<std::uint32_t> references_{1};
  const typelib::Library library_;
};

}  // namespace automation
