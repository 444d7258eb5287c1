#include <platform/typelib/TypeInfoObject.h>

#include <platform/text/NameCase.h>

namespace platform::typelib {

automation::HRESULT TypeInfoObject::GetTypeAttr(TypeAttributes* attributes) {
  if (!attributes) return automation::E_POINTER;
  const typelib::TypeDescription& t = type();
  *attributes = {t.guid,
                 library_->library().lcid,
                 t.kind,
                 t.flags,
                 t.majorVersion,
                 t.minorVersion,
                 static_cast<std::uint32_t>(t.functions.size()),
                 static_cast<std::uint32_t>(t.implementedTypes.size()),
                 t.baseInterface};
  return automation::S_OK;
}

automation::HRESULT TypeInfoObject::GetFuncDesc(std::uint32_t index, FunctionDescription* description) {
  if (!description) return automation::E_POINTER;
  if (index >= type().functions.size()) return automation::TYPE_E_ELEMENTNOTFOUND;
  *description = type().functions[index];
  return automation::S_OK;
}

const typelib::Function* TypeInfoObject::findFunction(automation::DISPID memberId) const {
  for (const typelib::Function& f : type().functions)
    if (f.memberId == memberId) return &f;
  return nullptr;
}

automation::HRESULT TypeInfoObject::GetDocumentation(automation::DISPID memberId, std::u16string* name,
                                                     std::u16string* helpString) {
  const typelib::TypeDescription& t = type();
  const typelib::Function* f = memberId == MEMBERID_NIL ? nullptr : findFunction(memberId);
  if (memberId != MEMBERID_NIL && !f) return automation::TYPE_E_ELEMENTNOTFOUND;
  if (name) *name = f ? f->name : t.name;
  if (helpString) *helpString = f ? f->helpString : t.helpString;
  return automation::S_OK;
}

automation::HRESULT TypeInfoObject::GetNames(automation::DISPID memberId, std::vector<std::u16string>* names) {
  if (!names) return automation::E_POINTER;
  const typelib::Function* f = findFunction(memberId);
  if (!f) return automation::TYPE_E_ELEMENTNOTFOUND;
  names->assign(1, f->name);
  // Of a get/put pair only the put has a named parameter.
  for (const typelib::Function& candidate : type().functions) {
    if (candidate.memberId != memberId) continue;
    for (const typelib::Parameter& p : candidate.parameters)
      if (!p.name.empty() && !(p.flags & PARAMFLAG_FRETVAL)) names->push_back(p.name);
    if (names->size() > 1) break;
  }
  return automation::S_OK;
}

automation::DISPID TypeInfoObject::findMemberId(std::u16string_view name) const {
  for (const typelib::Function& f : type().functions)
    if (platform::text::sameNameIgnoringCase(f.name, name)) return f.memberId;
  return MEMBERID_NIL;
}

// A parameter's id is its position; a get/put pair shares the member id, so every
// function with it is searched.
automation::DISPID TypeInfoObject::findParameterId(automation::DISPID memberId, std::u16string_view name) const {
  if (name.empty()) return MEMBERID_NIL;
  for (const typelib::Function& f : type().functions) {
    if (f.memberId != memberId) continue;
    for (std::size_t i = 0; i < f.parameters.size(); ++i)
      if (platform::text::sameNameIgnoringCase(f.parameters[i].name, name)) return static_cast<automation::DISPID>(i);
  }
  return MEMBERID_NIL;
}

automation::HRESULT TypeInfoObject::GetIDsOfNames(const char16_t** names, std::uint32_t count,
                                                  automation::DISPID* memberIds) {
  if (count == 0) return automation::S_OK;
  if (!names || !memberIds) return automation::E_INVALIDARG;
  const automation::DISPID member = names[0] ? findMemberId(names[0]) : MEMBERID_NIL;
  memberIds[0] = member;
  bool allFound = member != MEMBERID_NIL;
  for (std::uint32_t i = 1; i < count; ++i) {
    memberIds[i] = (member != MEMBERID_NIL && names[i]) ? findParameterId(member, names[i]) : MEMBERID_NIL;
    allFound = allFound && memberIds[i] != MEMBERID_NIL;
  }
  return allFound ? automation::S_OK : automation::DISP_E_UNKNOWNNAME;
}

automation::HRESULT TypeInfoObject::GetImplTypeFlags(std::uint32_t index, std::int32_t* flags) {
  if (!flags) return automation::E_POINTER;
  if (index >= type().implementedTypes.size()) return automation::TYPE_E_ELEMENTNOTFOUND;
  *flags = type().implementedTypes[index].flags;
  return automation::S_OK;
}

automation::HRESULT TypeInfoObject::GetImplementedType(std::uint32_t index, ITypeInfo** implemented) {
  if (!implemented) return automation::E_POINTER;
  *implemented = nullptr;
  if (index >= type().implementedTypes.size()) return automation::TYPE_E_ELEMENTNOTFOUND;
  return library_->GetTypeInfoOfGuid(type().implementedTypes[index].type, implemented);
}

automation::HRESULT TypeInfoObject::GetContainingTypeLib(ITypeLib** library, std::uint32_t* index) {
  if (!library && !index) return automation::E_POINTER;
  if (library) *library = automation::ComPtr<ITypeLib>(library_.get()).detach();
  if (index) *index = index_;
  return automation::S_OK;
}

}  // namespace platform::typelib
