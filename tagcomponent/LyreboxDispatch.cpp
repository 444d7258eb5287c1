// Late-bound access to the control: Invoke by dispatch identifier, and the names
// and type information of the library's own type library.
#include <array>
#include <type_traits>

#include <tagcomponent/ComponentServices.h>
#include <tagcomponent/AutomationNames.h>
#include <tagcomponent/Lyrebox.h>

namespace tagcomponent {

using platform::typelib::ITypeInfo;
using platform::typelib::ITypeLib;

namespace {

Variant toVariant(std::u16string value) { return Variant::fromBstr(std::move(value)); }
Variant toVariant(std::int16_t value) { return Variant::fromI2(value); }
Variant toVariant(std::uint8_t value) { return Variant::fromUI1(value); }
Variant toVariant(std::int32_t value) { return Variant::fromI4(value); }

// The value of a variant already coerced to the put's type; text by reference,
// as the put takes it.
template <class T>
decltype(auto) fromVariant(const Variant& value) {
  if constexpr (std::is_same_v<T, std::u16string>)
    return (value.bstr());
  else if constexpr (std::is_same_v<T, std::int16_t>)
    return value.i2();
  else
    return value.ui1();
}

template <class T>
constexpr VARTYPE typeOf() {
  if constexpr (std::is_same_v<T, std::u16string>)
    return VT_BSTR;
  else if constexpr (std::is_same_v<T, std::int16_t>)
    return VT_I2;
  else if constexpr (std::is_same_v<T, std::uint8_t>)
    return VT_UI1;
  else
    return VT_I4;
}

template <class T>
using Getter = HRESULT (ILyrebox::*)(T*);

// One row per member: a property has a getter and a putter, SaveTag only a
// getter-shaped entry with a result, About neither.
struct Member {
  DISPID id;
  bool isMethod;
  VARTYPE putType;
  HRESULT (*get)(ILyrebox&, Variant&);
  HRESULT (*put)(ILyrebox&, const Variant&);
};

template <class T, Getter<T> Get>
HRESULT readMember(ILyrebox& control, Variant& out) {
  T value{};
  const HRESULT hr = (control.*Get)(&value);
  if (succeeded(hr)) out = toVariant(std::move(value));
  return hr;
}

template <class T, auto Put>
HRESULT writeMember(ILyrebox& control, const Variant& value) {
  return (control.*Put)(fromVariant<T>(value));
}

HRESULT callAbout(ILyrebox& control, Variant& out) {
  out.clear();
  return control.About();
}

template <class T, Getter<T> Get, auto Put>
constexpr Member property(DISPID id) {
  return {id, false, typeOf<T>(), &readMember<T, Get>, &writeMember<T, Put>};
}

constexpr std::array<Member, 9> kMembers{{
    {DISPID_About, true, VT_EMPTY, &callAbout, nullptr},
    property<std::u16string, &ILyrebox::get_MP3_FileName, &ILyrebox::put_MP3_FileName>(DISPID_MP3_FileName),
    {DISPID_SaveTag, true, VT_EMPTY, &readMember<std::int32_t, &ILyrebox::SaveTag>, nullptr},
    property<std::u16string, &ILyrebox::get_ID3tag_Title, &ILyrebox::put_ID3tag_Title>(DISPID_ID3tag_Title),
    property<std::u16string, &ILyrebox::get_ID3tag_Artist, &ILyrebox::put_ID3tag_Artist>(DISPID_ID3tag_Artist),
    property<std::u16string, &ILyrebox::get_ID3tag_Album, &ILyrebox::put_ID3tag_Album>(DISPID_ID3tag_Album),
    property<std::int16_t, &ILyrebox::get_ID3tag_Year, &ILyrebox::put_ID3tag_Year>(DISPID_ID3tag_Year),
    property<std::u16string, &ILyrebox::get_ID3tag_Comment, &ILyrebox::put_ID3tag_Comment>(DISPID_ID3tag_Comment),
    property<std::uint8_t, &ILyrebox::get_ID3tag_Genre, &ILyrebox::put_ID3tag_Genre>(DISPID_ID3tag_Genre),
}};

const Member* findMember(DISPID id) {
  for (const Member& member : kMembers)
    if (member.id == id) return &member;
  return nullptr;
}

}  // namespace

HRESULT Lyrebox::Invoke(DISPID member, const IID&, LCID, std::uint16_t flags, DISPPARAMS* params, Variant* result,
                        EXCEPINFO*, std::uint32_t* argumentError) {
  return entered([&]() -> HRESULT {
    if (flags & DISPATCH_PROPERTYPUT) return invokePut(member, params, argumentError);
    if (const HRESULT hr = expectNoArguments(params); failed(hr))
      return findMember(member) ? hr : DISP_E_MEMBERNOTFOUND;
    return invokeGet(member, flags, result);
  });
}

// A property answers any request flagged as a property get (alone or with
// DISPATCH_METHOD); a method needs DISPATCH_METHOD.
HRESULT Lyrebox::invokeGet(DISPID id, std::uint16_t flags, Variant* result) {
  const Member* member = findMember(id);
  if (!member) return DISP_E_MEMBERNOTFOUND;
  const std::uint16_t needed = member->isMethod ? DISPATCH_METHOD : DISPATCH_PROPERTYGET;
  if (!(flags & needed)) return DISP_E_MEMBERNOTFOUND;
  Variant value;
  const HRESULT hr = member->get(*this, value);
  if (succeeded(hr) && result) *result = std::move(value);
  return hr;
}

HRESULT Lyrebox::invokePut(DISPID id, DISPPARAMS* params, std::uint32_t* argumentError) {
  const Member* member = findMember(id);
  if (!member || !member->put) return DISP_E_MEMBERNOTFOUND;
  Variant converted;
  const Variant* value = nullptr;
  if (const HRESULT hr = propertyPutArgument(params, member->putType, converted, value, argumentError); failed(hr))
    return hr;
  return member->put(*this, *value);
}

HRESULT Lyrebox::interfaceTypeInfo(ComPtr<ITypeInfo>& info) {
  if (!typeInfo_) {
    ComPtr<ITypeLib> library;
    if (const HRESULT hr = loadComponentTypeLibrary(library); failed(hr)) return hr;
    if (const HRESULT hr = library->GetTypeInfoOfGuid(IID__Lyrebox, typeInfo_.put()); failed(hr)) return hr;
  }
  info = typeInfo_;
  return S_OK;
}

HRESULT Lyrebox::GetTypeInfoCount(std::uint32_t* count) {
  if (!count) return E_POINTER;
  *count = 0;
  return entered([&]() -> HRESULT {
    ComPtr<ITypeInfo> info;
    *count = succeeded(interfaceTypeInfo(info)) ? 1 : 0;
    return S_OK;
  });
}

HRESULT Lyrebox::GetTypeInfo(std::uint32_t index, LCID, ITypeInfo** info) {
  if (!info) return E_POINTER;
  *info = nullptr;
  return entered([&]() -> HRESULT {
    if (index != 0) return DISP_E_BADINDEX;
    ComPtr<ITypeInfo> found;
    if (const HRESULT hr = interfaceTypeInfo(found); failed(hr)) return hr;
    *info = found.detach();
    return S_OK;
  });
}

HRESULT Lyrebox::GetIDsOfNames(const IID&, const char16_t** names, std::uint32_t count, LCID, DISPID* ids) {
  if (!names || !ids) return E_POINTER;
  return entered([&]() -> HRESULT {
    ComPtr<ITypeInfo> info;
    if (const HRESULT hr = interfaceTypeInfo(info); failed(hr)) return hr;
    return info->GetIDsOfNames(names, count, ids);
  });
}

}  // namespace tagcomponent
