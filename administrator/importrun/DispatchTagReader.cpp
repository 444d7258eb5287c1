#include "DispatchTagReader.h"

#include <tagcomponent/LyreboxIdentity.h>
#include <text/Utf.h>

#include <cstdio>

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

Status readString(automation::IDispatch* component, automation::DISPID id, const std::string& what,
                  std::u16string& value) {
  Variant result;
  automation::HRESULT hr = automation::getProperty(component, id, &result);
  if (automation::succeeded(hr)) hr = result.changeType(automation::VT_BSTR, result);
  if (automation::failed(hr)) return Status::failure("read " + what + " from the tag component", describeFailure(hr));
  value = result.bstr();
  return Status::success();
}

}  // namespace

std::string describeFailure(automation::HRESULT hr) {
  char text[32];
  std::snprintf(text, sizeof text, "error 0x%08X", static_cast<unsigned>(hr));
  return text;
}

Status DispatchTagReader::load(const std::u16string& path) {
  const std::string attempt = "load the tag of \"" + platform::text::utf8FromUtf16(path) + "\"";
  const automation::HRESULT hr =
      automation::putProperty(component_.get(), lyrebox::DISPID_MP3_FileName, Variant::fromBstr(path));
  if (automation::failed(hr)) return Status::failure(attempt, describeFailure(hr));
  // The component keeps the name only for a file it could take; otherwise its
  // fields still hold the previous file's tag.
  std::u16string taken;
  if (Status read = readString(component_.get(), lyrebox::DISPID_MP3_FileName, "the file name", taken); !read)
    return read;
  if (taken != path) return Status::failure(attempt, "the file is hidden, gone or not an ordinary file");
  return Status::success();
}

Status DispatchTagReader::read(TagField field, std::u16string& value) {
  return readString(component_.get(), dispatchIdOf(field), nameOf(field), value);
}

}  // namespace mervalis
