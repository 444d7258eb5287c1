#include <tagcomponent/persistence/PropertyHandlers.h>

#include <platform/automation/Variant.h>

#include <tagcomponent/persistence/PropertyKeys.h>

namespace tagcomponent::persistence {
namespace {

using platform::automation::failed;
using platform::automation::HRESULT;
using platform::automation::IPropertyBag;
using platform::automation::S_OK;
using platform::automation::Variant;

const Variant kEmptyText = Variant::fromBstr(u"");
const Variant kDefaultYear = Variant::fromI2(19);
const Variant kDefaultGenre = Variant::fromI2(255);

// Reads `key` (or its default) converted to `type`; the value is set only on success.
platform::automation::HRESULT readAs(IPropertyBag* bag, std::u16string_view key, const Variant& defaultValue,
                                     platform::automation::VARTYPE type, Variant& value) {
  Variant stored;
  if (const platform::automation::HRESULT hr = platform::automation::readProperty(bag, key, defaultValue, &stored);
      failed(hr))
    return hr;
  return stored.changeType(type, value);
}

template <std::size_t Width>
platform::automation::HRESULT readText(IPropertyBag* bag, std::u16string_view key, const Variant& defaultValue,
                                       FixedTextField<Width>& field) {
  Variant text;
  if (const platform::automation::HRESULT hr = readAs(bag, key, defaultValue, platform::automation::VT_BSTR, text);
      failed(hr))
    return hr;
  field.assign(text.bstr());
  return S_OK;
}

template <std::size_t Width>
platform::automation::HRESULT writeText(IPropertyBag* bag, std::u16string_view key, const FixedTextField<Width>& field,
                                        const Variant& defaultValue) {
  return platform::automation::writeProperty(bag, key, Variant::fromBstr(field.text()), defaultValue);
}

}  // namespace

void UserControl_InitProperties(ControlState state) {
  state.fileName.clear();
  state.record.setNoTagValues();
}

platform::automation::HRESULT UserControl_ReadProperties(ControlState state, IPropertyBag* PropBag) {
  if (!PropBag) return platform::automation::E_POINTER;
  ID3tagRecord& record = state.record;
  Variant fileName;
  if (const platform::automation::HRESULT hr =
          readAs(PropBag, bagkey::kFileName, kEmptyText, platform::automation::VT_BSTR, fileName);
      failed(hr))
    return hr;
  state.fileName = fileName.bstr();

  platform::automation::HRESULT hr = S_OK;
  if (failed(hr = readText(PropBag, bagkey::kTitle, kEmptyText, record.Title))) return hr;
  if (failed(hr = readText(PropBag, bagkey::kArtist, kEmptyText, record.Artist))) return hr;
  if (failed(hr = readText(PropBag, bagkey::kAlbum, kEmptyText, record.Album))) return hr;
  if (failed(hr = readText(PropBag, bagkey::kYear, kDefaultYear, record.Year))) return hr;
  if (failed(hr = readText(PropBag, bagkey::kComment, kEmptyText, record.Comment))) return hr;

  Variant genre;
  if (failed(hr = readAs(PropBag, bagkey::kGenre, kDefaultGenre, platform::automation::VT_UI1, genre))) return hr;
  record.Genre = genre.ui1();
  return S_OK;
}

platform::automation::HRESULT UserControl_WriteProperties(ConstControlState state, IPropertyBag* PropBag) {
  if (!PropBag) return platform::automation::E_POINTER;
  const ID3tagRecord& record = state.record;
  platform::automation::HRESULT hr = S_OK;
  if (failed(hr = platform::automation::writeProperty(PropBag, bagkey::kFileName, Variant::fromBstr(state.fileName),
                                                      kEmptyText)))
    return hr;
  if (failed(hr = writeText(PropBag, bagkey::kTitle, record.Title, kEmptyText))) return hr;
  if (failed(hr = writeText(PropBag, bagkey::kArtist, record.Artist, kEmptyText))) return hr;
  if (failed(hr = writeText(PropBag, bagkey::kAlbum, record.Album, kEmptyText))) return hr;
  if (failed(hr = writeText(PropBag, bagkey::kYear, record.Year, kDefaultYear))) return hr;
  if (failed(hr = writeText(PropBag, bagkey::kComment, record.Comment, kEmptyText))) return hr;
  return platform::automation::writeProperty(PropBag, bagkey::kGenre, Variant::fromUI1(record.Genre), kDefaultGenre);
}

}  // namespace tagcomponent::persistence
