#include <tagcomponent/persistence/PropertyHandlers.h>

#include <platform/automation/Variant.h>

#include <tagcomponent/persistence/PropertyKeys.h>

namespace lyrebox {
namespace {

using automation::failed;
using automation::HRESULT;
using automation::IPropertyBag;
using automation::S_OK;
using automation::Variant;

const Variant kEmptyText = Variant::fromBstr(u"");
const Variant kDefaultYear = Variant::fromI2(19);
const Variant kDefaultGenre = Variant::fromI2(255);

// Reads `key` (or its default) converted to `type`; the value is set only on success.
HRESULT readAs(IPropertyBag* bag, std::u16string_view key, const Variant& defaultValue, automation::VARTYPE type,
               Variant& value) {
  Variant stored;
  if (const HRESULT hr = automation::readProperty(bag, key, defaultValue, &stored); failed(hr)) return hr;
  return stored.changeType(type, value);
}

template <std::size_t Width>
HRESULT readText(IPropertyBag* bag, std::u16string_view key, const Variant& defaultValue,
                 FixedTextField<Width>& field) {
  Variant text;
  if (const HRESULT hr = readAs(bag, key, defaultValue, automation::VT_BSTR, text); failed(hr)) return hr;
  field.assign(text.bstr());
  return S_OK;
}

template <std::size_t Width>
HRESULT writeText(IPropertyBag* bag, std::u16string_view key, const FixedTextField<Width>& field,
                  const Variant& defaultValue) {
  return automation::writeProperty(bag, key, Variant::fromBstr(field.text()), defaultValue);
}

}  // namespace

void UserControl_InitProperties(ControlState state) {
  state.fileName.clear();
  state.record.setNoTagValues();
}

HRESULT UserControl_ReadProperties(ControlState state, IPropertyBag* PropBag) {
  if (!PropBag) return automation::E_POINTER;
  ID3tagRecord& record = state.record;
  Variant fileName;
  if (const HRESULT hr = readAs(PropBag, bagkey::kFileName, kEmptyText, automation::VT_BSTR, fileName); failed(hr))
    return hr;
  state.fileName = fileName.bstr();

  HRESULT hr = S_OK;
  if (failed(hr = readText(PropBag, bagkey::kTitle, kEmptyText, record.Title))) return hr;
  if (failed(hr = readText(PropBag, bagkey::kArtist, kEmptyText, record.Artist))) return hr;
  if (failed(hr = readText(PropBag, bagkey::kAlbum, kEmptyText, record.Album))) return hr;
  if (failed(hr = readText(PropBag, bagkey::kYear, kDefaultYear, record.Year))) return hr;
  if (failed(hr = readText(PropBag, bagkey::kComment, kEmptyText, record.Comment))) return hr;

  Variant genre;
  if (failed(hr = readAs(PropBag, bagkey::kGenre, kDefaultGenre, automation::VT_UI1, genre))) return hr;
  record.Genre = genre.ui1();
  return S_OK;
}

HRESULT UserControl_WriteProperties(ConstControlState state, IPropertyBag* PropBag) {
  if (!PropBag) return automation::E_POINTER;
  const ID3tagRecord& record = state.record;
  HRESULT hr = S_OK;
  if (failed(hr = automation::writeProperty(PropBag, bagkey::kFileName, Variant::fromBstr(state.fileName),
                                            kEmptyText)))
    return hr;
  if (failed(hr = writeText(PropBag, bagkey::kTitle, record.Title, kEmptyText))) return hr;
  if (failed(hr = writeText(PropBag, bagkey::kArtist, record.Artist, kEmptyText))) return hr;
  if (failed(hr = writeText(PropBag, bagkey::kAlbum, record.Album, kEmptyText))) return hr;
  if (failed(hr = writeText(PropBag, bagkey::kYear, record.Year, kDefaultYear))) return hr;
  if (failed(hr = writeText(PropBag, bagkey::kComment, record.Comment, kEmptyText))) return hr;
  return automation::writeProperty(PropBag, bagkey::kGenre, Variant::fromUI1(record.Genre), kDefaultGenre);
}

}  // namespace lyrebox
