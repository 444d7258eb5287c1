#include <tagcomponent/AutomationNames.h>
#include <tagcomponent/Lyrebox.h>

#include <platform/events/PendingEvents.h>

#include <tagcomponent/LenientNumber.h>
#include <tagcomponent/TagFieldText.h>

namespace tagcomponent {

Lyrebox::Lyrebox() : Lyrebox(FileCalls::posix()) {}

Lyrebox::Lyrebox(const FileCalls& fileCalls)
    : events_(std::make_shared<platform::automation::SinkConnections>(DIID___Lyrebox)), files_(fileCalls) {
  record_.setNoTagValues();
}

void Lyrebox::setSite(platform::automation::ComPtr<platform::automation::IControlSite> site) {
  site_ = std::move(site);
}

HRESULT Lyrebox::SetControlSite(platform::automation::IControlSite* site) {
  return entered([&]() -> HRESULT {
    setSite(platform::automation::ComPtr<platform::automation::IControlSite>(site));
    return S_OK;
  });
}

HRESULT Lyrebox::EnumConnectionPoints(platform::automation::IEnumConnectionPoints** points) {
  if (points) *points = nullptr;
  return entered([&]() -> HRESULT { return platform::automation::E_NOTIMPL; });
}

HRESULT Lyrebox::FindConnectionPoint(const platform::automation::IID& iid,
                                     platform::automation::IConnectionPoint** point) {
  if (!point) return E_POINTER;
  *point = nullptr;
  return entered([&]() -> HRESULT {
    if (iid != events_->iid()) return platform::automation::CONNECT_E_NOCONNECTION;
    *point = platform::automation::makeSinkConnectionPoint(this, events_).detach();
    return S_OK;
  });
}

// Holds its own reference during the call, so a site that replaces itself while
// being told stays alive until it returns.
HRESULT Lyrebox::notifyChanged(std::u16string_view bagKey) {
  const auto site = site_;
  if (!site) return S_OK;
  const HRESULT hr = site->OnPropertyChanged(bagKey);
  return platform::automation::failed(hr) ? hr : S_OK;
}

HRESULT Lyrebox::get_MP3_FileName(std::u16string* out) {
  return entered([&]() -> HRESULT {
    if (!out) return E_POINTER;
    *out = fileName_;
    return S_OK;
  });
}

// Every failure is passed over: a name that is not found clears the stored name and
// keeps the record; a file that cannot be read shows the no-tag values.
HRESULT Lyrebox::put_MP3_FileName(const std::u16string& New_MP3_FileName) {
  return entered([&]() -> HRESULT {
    const TagFileLookup file = files_.lookUp(New_MP3_FileName);
    if (file.found)
      fileName_ = New_MP3_FileName;
    else
      fileName_.clear();
    if (file.found) {
      const auto bytes = files_.readLast128(file);
      if (bytes) record_.readFileBytes(*bytes);
      // Without a tag the marker shows what was read, or keeps what it held.
      if (!bytes || !isTagMarker(bytes->data())) record_.setNoTagValues();
    }
    notifyChanged(u"MP3_FileName");
    return S_OK;
  });
}

// Decides between replacing and appending from the file as it is now, not from
// what the load found.
HRESULT Lyrebox::SaveTag(std::int32_t* result) {
  return entered([&]() -> HRESULT {
    if (!result) return E_POINTER;
    const TagFileLookup file = files_.lookUp(fileName_);
    if (!file.found) {
      *result = file.searchError != 0 ? file.searchError : save_result::kFileNotFound;
      return S_OK;
    }
    bool hasTag = false;
    if (const std::int32_t error = files_.probeForTag(file, hasTag)) {
      *result = error;
      return S_OK;
    }
    if (file.readOnly) {
      *result = save_result::kPathFileAccessError;
      return S_OK;
    }
    record_.Marker.assign(u"TAG");
    *result = files_.writeRecord(file, hasTag, record_.toFileBytes());
    return S_OK;
  });
}

// Steps 1 and 2 yield once per character they remove: the host repaints and takes
// input in between. The text is copied before the yields, so whatever the host
// does to this control meanwhile cannot change what is returned. Without a
// handler a yield does nothing, and nothing can install one meanwhile.
std::u16string Lyrebox::TrimTagField(std::u16string_view text) {
  if (!platform::events::hasPendingEventsHandler()) return trimmedFieldText(text);
  return trimmedFieldText(text, platform::events::processPendingEvents);
}

template <std::size_t Width>
HRESULT Lyrebox::getTrimmed(const FixedTextField<Width>& field, std::u16string* out) {
  if (!out) return E_POINTER;
  *out = TrimTagField(field.view());
  return S_OK;
}

// The field keeps its new value even when the notification fails; the caller
// hears of that failure.
template <std::size_t Width>
HRESULT Lyrebox::putText(FixedTextField<Width>& field, std::u16string_view value, std::u16string_view bagKey) {
  const auto end = value.find_last_not_of(u' ');
  field.assign(value.substr(0, end == std::u16string_view::npos ? 0 : end + 1));
  return notifyChanged(bagKey);
}

HRESULT Lyrebox::get_ID3tag_Title(std::u16string* out) {
  return entered([&]() -> HRESULT { return getTrimmed(record_.Title, out); });
}
HRESULT Lyrebox::put_ID3tag_Title(const std::u16string& New_ID3tag_Title) {
  return entered([&]() -> HRESULT { return putText(record_.Title, New_ID3tag_Title, u"Tag_Title"); });
}
HRESULT Lyrebox::get_ID3tag_Artist(std::u16string* out) {
  return entered([&]() -> HRESULT { return getTrimmed(record_.Artist, out); });
}
HRESULT Lyrebox::put_ID3tag_Artist(const std::u16string& New_ID3tag_Artist) {
  return entered([&]() -> HRESULT { return putText(record_.Artist, New_ID3tag_Artist, u"Tag_Artist"); });
}
HRESULT Lyrebox::get_ID3tag_Album(std::u16string* out) {
  return entered([&]() -> HRESULT { return getTrimmed(record_.Album, out); });
}
HRESULT Lyrebox::put_ID3tag_Album(const std::u16string& New_ID3tag_Album) {
  return entered([&]() -> HRESULT { return putText(record_.Album, New_ID3tag_Album, u"Tag_Album"); });
}
HRESULT Lyrebox::get_ID3tag_Comment(std::u16string* out) {
  return entered([&]() -> HRESULT { return getTrimmed(record_.Comment, out); });
}
HRESULT Lyrebox::put_ID3tag_Comment(const std::u16string& New_ID3tag_Comment) {
  return entered([&]() -> HRESULT { return putText(record_.Comment, New_ID3tag_Comment, u"Tag_Comment"); });
}

HRESULT Lyrebox::get_ID3tag_Year(std::int16_t* out) {
  return entered([&]() -> HRESULT {
    if (!out) return E_POINTER;
    const auto year = roundToInt16(readLenientNumber(record_.Year.view()));
    if (!year) return platform::automation::DISP_E_OVERFLOW;
    *out = *year;
    return S_OK;
  });
}

// Left-aligned decimal text; values outside -999..9999 lose their last digits.
HRESULT Lyrebox::put_ID3tag_Year(std::int16_t New_ID3tag_Year) {
  return entered([&]() -> HRESULT {
    const std::string digits = std::to_string(New_ID3tag_Year);
    record_.Year.assign(std::u16string(digits.begin(), digits.end()));
    return notifyChanged(u"Tag_Year");
  });
}

HRESULT Lyrebox::get_ID3tag_Genre(std::uint8_t* out) {
  return entered([&]() -> HRESULT {
    if (!out) return E_POINTER;
    *out = record_.Genre;
    return S_OK;
  });
}

HRESULT Lyrebox::put_ID3tag_Genre(std::uint8_t New_ID3tag_Genre) {
  return entered([&]() -> HRESULT {
    record_.Genre = New_ID3tag_Genre;
    return notifyChanged(u"Tag_Genre");
  });
}

}  // namespace tagcomponent
