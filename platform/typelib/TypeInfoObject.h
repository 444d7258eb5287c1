#pragma once
#include <platform/automation/ComObject.h>

#include <platform/typelib/TypeInfo.h>
#include <platform/typelib/TypeLibObject.h>

namespace automation {

// One type of a TypeLibObject, which it keeps alive while it lives.
class TypeInfoObject : public ComObject<ITypeInfo> {
 public:
  HRESULT GetTypeAttr(TypeAttributes* attributes) override;
  HRESULT GetFuncDesc(std::uint32_t index, FunctionDescription* description) override;
  HRESULT GetDocumentation(DISPID memberId, std::u16string* name, std::u16string* helpString) override;
  HRESULT GetNames(DISPID memberId, std::vector<std::u16string>* names) override;
  HRESULT GetIDsOfNames(const char16_t** names, std::uint32_t count, DISPID* memberIds) override;
  HRESULT GetImplTypeFlags(std::uint32_t index, std::int32_t* flags) override;
  HRESULT GetImplementedType(std::uint32_t index, ITypeInfo** type) override;
  HRESULT GetContainingTypeLib(ITypeLib** library, std::uint32_t* index) override;

 protected:
  TypeInfoObject(ComPtr<TypeLibObject> library, std::uint32_t index)
      : library_(std::move(library)), index_(index) {}
  ~TypeInfoObject() override = default;

 private:
  const typelib::TypeDescription& type() const { return library_->library().types[index_]; }
  const typelib::Function* findFunction(DISPID memberId) const;
  DISPID findMemberId(std::u16string_view name) const;
  DISPID findParameterId(DISPID memberId, std::u16string_view name) const;

  const ComPtr<TypeLibObject> library_;
  const std::uint32_t index_;
};

}  // namespace automation
