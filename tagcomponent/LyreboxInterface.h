#pragma once
// The control's default interface, `_Lyrebox` in the type library: a dual
// interface whose virtual table, after IDispatch's own entries, holds the sixteen
// members in the order early-bound callers bind to. Every entry returns an
// HRESULT; a get and SaveTag hand their value back through a trailing pointer.
#include <platform/automation/Dispatch.h>

#include <cstdint>
#include <string>

#include <tagcomponent/LyreboxIdentity.h>

namespace tagcomponent {

using platform::automation::HRESULT;

// Named ILyrebox here: a leading underscore and capital are reserved in C++.
struct ILyrebox : platform::automation::IDispatch {
  virtual HRESULT About() = 0;
  virtual HRESULT get_MP3_FileName(std::u16string* out) = 0;
  virtual HRESULT put_MP3_FileName(const std::u16string& New_MP3_FileName) = 0;
  virtual HRESULT SaveTag(std::int32_t* result) = 0;
  virtual HRESULT get_ID3tag_Title(std::u16string* out) = 0;
  virtual HRESULT put_ID3tag_Title(const std::u16string& New_ID3tag_Title) = 0;
  virtual HRESULT get_ID3tag_Artist(std::u16string* out) = 0;
  virtual HRESULT put_ID3tag_Artist(const std::u16string& New_ID3tag_Artist) = 0;
  virtual HRESULT get_ID3tag_Album(std::u16string* out) = 0;
  virtual HRESULT put_ID3tag_Album(const std::u16string& New_ID3tag_Album) = 0;
  virtual HRESULT get_ID3tag_Year(std::int16_t* out) = 0;
  virtual HRESULT put_ID3tag_Year(std::int16_t New_ID3tag_Year) = 0;
  virtual HRESULT get_ID3tag_Comment(std::u16string* out) = 0;
  virtual HRESULT put_ID3tag_Comment(const std::u16string& New_ID3tag_Comment) = 0;
  virtual HRESULT get_ID3tag_Genre(std::uint8_t* out) = 0;
  virtual HRESULT put_ID3tag_Genre(std::uint8_t New_ID3tag_Genre) = 0;

 protected:
  ~ILyrebox() = default;
};

}  // namespace tagcomponent

template <>
struct platform::automation::InterfaceId<tagcomponent::ILyrebox> {
  static constexpr platform::automation::IID value = tagcomponent::IID__Lyrebox;
};
