#pragma once
#include <platform/automation/ComObject.h>

#include <platform/typelib/TypeInfo.h>
#include <platform/typelib/TypeLibObject.h>

namespace platform::typelib {

// One type of a TypeLibObject, which it keeps alive while it lives.
class TypeInfoObject : public automation::ComObject<ITypeInfo> {
 public:
  automation::HRESULT GetTypeAttr(TypeAttributes* attributes) override;
  automation::HRESULT GetFuncDesc(std::uint32_t index, FunctionDescription* description) override;
  automation::HRESULT GetDocumentation(automation::DISPID memberId, std::u16string* name,
                                       std::u16string* helpString) override;
  automation::HRESULT GetNames(automation::DISPID memberId, std::vector<std::u16string>* names) override;
  automation::HRESULT GetIDsOfNames(const char16_t** names, std::uint32_t count,
                                    automation::DISPID* memberIds) override;
  automation::HRESULT GetImplTypeFlags(std::uint32_t index, std::int32_t* flags) override;
  automation::HRESULT GetImplementedType(std::uint32_t index, ITypeInfo** type) override;
  automation::HRESULT GetContainingTypeLib(ITypeLib** library, std::uint32_t* index) override;

 protected:
  TypeInfoObject(automation::ComPtr<TypeLibObject> library, std::uint32_t index)
      : library_(std::move(library)), index_(index) {}
  ~TypeInfoObject() override = default;

 private:
  const typelib::TypeDescription& type() const { return library_->library().types[index_]; }
  const typelib::Function* findFunction(automation::DISPID memberId) const;
  automation::DISPID findMemberId(std::u16string_view name) const;
  automation::DISPID findParameterId(automation::DISPID memberId, std::u16string_view name) const;

  const automation::ComPtr<TypeLibObject> library_;
  const std::uint32_t index_;
};

}  // namespace platform::typelib
