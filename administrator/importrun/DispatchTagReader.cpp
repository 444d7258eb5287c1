#include <administrator/importrun/DispatchTagReader.h>

#include <platform/automation/HResultText.h>
#include <tagcomponent/LyreboxIdentity.h>
#include <platform/text/Utf.h>

namespace administrator::importrun {

using platform::status::Status;
namespace {

using platform::automation::Variant;

platform::automation::DISPID dispatchIdOf(TagField field) {
  switch (field) {
    case TagField::Title: return tagcomponent::DISPID_ID3tag_Title;
    case TagField::Album: return tagcomponent::DISPID_ID3tag_Album;
    case TagField::Artist: break;
  }
  return tagcomponent::DISPID_ID3tag_Artist;
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
platform::automation::HRESULT readText(platform::automation::IDispatch* component, platform::automation::DISPID id,
                                       Variant& result) {
  platform::automation::HRESULT hr = platform::automation::getProperty(component, id, &result);
  if (platform::automation::succeeded(hr)) hr = result.changeType(platform::automation::VT_BSTR, result);
  return hr;
}

Status readFailure(const std::string& what, platform::automation::HRESULT hr) {
  return Status::failure("read " + what + " from the tag component", platform::automation::hresultText(hr));
}

Status loadFailure(const std::u16string& path, const std::string& why) {
  return Status::failure("load the tag of \"" + platform::text::utf8FromUtf16(path) + "\"", why);
}

}  // namespace

Status DispatchTagReader::load(const std::u16string& path) {
  const platform::automation::HRESULT hr =
      platform::automation::putProperty(component_.get(), tagcomponent::DISPID_MP3_FileName, Variant::fromBstr(path));
  if (platform::automation::failed(hr)) return loadFailure(path, platform::automation::hresultText(hr));
  // The component keeps the name only for a file it could take; otherwise its
  // fields still hold the previous file's tag.
  Variant taken;
  if (const platform::automation::HRESULT read = readText(component_.get(), tagcomponent::DISPID_MP3_FileName, taken);
      platform::automation::failed(read))
    return readFailure("the file name", read);
  if (taken.bstr() != path) return loadFailure(path, "the file is hidden, gone or not an ordinary file");
  return Status::success();
}

Status DispatchTagReader::read(TagField field, std::u16string& value) {
  Variant result;
  if (const platform::automation::HRESULT hr = readText(component_.get(), dispatchIdOf(field), result);
      platform::automation::failed(hr))
    return readFailure(nameOf(field), hr);
  value = result.takeBstr();
  return Status::success();
}

}  // namespace administrator::importrun
