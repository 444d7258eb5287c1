#pragma once
#include <automation/ComPtr.h>
#include <automation/ControlSite.h>
#include <automation/HResult.h>

#include <cstdint>
#include <string>
#include <string_view>

#include "FileCalls.h"
#include "ID3tagRecord.h"
#include "TagFileAccess.h"

namespace lyrebox {

using automation::HRESULT;

// The tag control: one stored file name and the ID3v1 record of that file. Members
// follow the object model's rules (an HRESULT result, out values through a
// trailing pointer) so the automation layer can forward to them unchanged.
class Lyrebox {
 public:
  // A new control holds no file name and the no-tag values.
  Lyrebox();
  // The file calls must outlive the control; tests pass calls that fail on command.
  explicit Lyrebox(const FileCalls& fileCalls);

  // The host's site: property-change notifications go to it. None: nobody is told.
  void setSite(automation::ComPtr<automation::IControlSite> site);

  // Setting the name loads the file's tag; the set itself never fails.
  HRESULT get_MP3_FileName(std::u16string* out);
  HRESULT put_MP3_FileName(const std::u16string& New_MP3_FileName);
  // 0 when written, else a file-error number (53 not found, 75 read-only, ...).
  HRESULT SaveTag(std::int32_t* result);

  // Text gets return the field without trailing spaces and NULs, yielding to the
  // host's pending events as they strip; sets store into the fixed-width field.
  HRESULT get_ID3tag_Title(std::u16string* out);
  HRESULT put_ID3tag_Title(const std::u16string& New_ID3tag_Title);
  HRESULT get_ID3tag_Artist(std::u16string* out);
  HRESULT put_ID3tag_Artist(const std::u16string& New_ID3tag_Artist);
  HRESULT get_ID3tag_Album(std::u16string* out);
  HRESULT put_ID3tag_Album(const std::u16string& New_ID3tag_Album);
  HRESULT get_ID3tag_Comment(std::u16string* out);
  HRESULT put_ID3tag_Comment(const std::u16string& New_ID3tag_Comment);
  // The year text read as a number; DISP_E_OVERFLOW outside -32768..32767.
  HRESULT get_ID3tag_Year(std::int16_t* out);
  HRESULT put_ID3tag_Year(std::int16_t New_ID3tag_Year);
  HRESULT get_ID3tag_Genre(std::uint8_t* out);
  HRESULT put_ID3tag_Genre(std::uint8_t New_ID3tag_Genre);

  // Direct access to the state, for saving and restoring the control with its
  // host's window: neither opens a file nor notifies.
  const std::u16string& storedFileName() const { return fileName_; }
  void setStoredFileName(std::u16string fileName) { fileName_ = std::move(fileName); }
  const ID3tagRecord& record() const { return record_; }
  ID3tagRecord& record() { return record_; }

 private:
  template <std::size_t Width>
  static HRESULT getTrimmed(const FixedTextField<Width>& field, std::u16string* out);
  template <std::size_t Width>
  HRESULT putText(FixedTextField<Width>& field, std::u16string_view value, std::u16string_view bagKey);
  static std::u16string TrimTagField(std::u16string text);
  HRESULT notifyChanged(std::u16string_view bagKey);

  TagFileAccess files_;
  automation::ComPtr<automation::IControlSite> site_;
  std::u16string fileName_;
  ID3tagRecord record_;
};

}  // namespace lyrebox
