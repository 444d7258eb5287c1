#include <administrator/importrun/DispatchTagReader.h>

#include <platform/automation/HResultText.h>
#include <tagcomponent/LyreboxIdentity.h>
#include <platform/text/Utf.h>

namespace mervalis {
namespace {

using automation::Variant;

automation::DISPID dispatchIdOf(TagField field) {
  switch (field) {
    case TagField::Title: return lyrebox::DISPID_ID3tag_Title;
    case TagField::Album: return lyrebox::DISPID_ID3tag_Album;
    case TagField::Artist: break;
  }
  return lyrebox::DISPID_ID3tag_Artist;
}

const char* nameOf(TagField field) {
  switch (field) {
    case TagField::Title: return "the title";
    case TagField::Album: return "the album";
    case TagField::Artist: break;
  }
  return "the artist";
}

// The property as text. A text result is taken as it is: no coercion, no copy.
automation::HRESULT readText(automation::IDispatch* component, automation::DISPID id, Variant& result) {
  automation::HRESULT hr = automation::getProperty(component, id, &result);
  if (automation::succeeded(hr)) hr = result.changeType(automation::VT_BSTR, result);
  return hr;
}

Status readFailure(const std::string& what, automation::HRESULT hr) {
  return Status::failure("read " + what + " from the tag component", automation::hresultText(hr));
}

Status loadFailure(const std::u16string& path, const std::string& why) {
  return Status::failure("load the tag of \"" + platform::text::utf8FromUtf16(path) + "\"", why);
}

}  // namespace

Status DispatchTagReader::load(const std::u16string& path) {
  const automation::HRESULT hr =
      automation::putProperty(component_.get(), lyrebox::DISPID_MP3_FileName, Variant::fromBstr(path));
  if (automation::failed(hr)) return loadFailure(path, automation::hresultText(hr));
  // The component keeps the name only for a file it could take; otherwise its
  // fields still hold the previous file's tag.
  Variant taken;
  if (const automation::HRESULT read = readText(component_.get(), lyrebox::DISPID_MP3_FileName, taken);
      automation::failed(read))
    return readFailure("the file name", read);
  if (taken.bstr() != path) return loadFailure(path, "the file is hidden, gone or not an ordinary file");
  return Status::success();
}

Status DispatchTagReader::read(TagField field, std::u16string& value) {
  Variant result;
  if (const automation::HRESULT hr = readText(component_.get(), dispatchIdOf(field), result); automation::failed(hr))
    return readFailure(nameOf(field), hr);
  value = result.takeBstr();
  return Status::success();
}

}  // namespace mervalis
