#pragma once
#include <platform/automation/Apartment.h>
#include <platform/automation/ComObject.h>
#include <platform/automation/ComPtr.h>
#include <platform/automation/ConnectionPoint.h>
#include <platform/automation/ControlSite.h>
#include <platform/automation/Guarded.h>
#include <platform/automation/HResult.h>
#include <platform/automation/PersistPropertyBag.h>
#include <platform/automation/SinkConnectionPoint.h>
#include <platform/typelib/TypeInfo.h>

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include <platform/automation/ControlSite.h>
#include <tagcomponent/FileCalls.h>
#include <tagcomponent/ID3tagRecord.h>
#include <tagcomponent/LyreboxInterface.h>
#include <tagcomponent/TagFileAccess.h>

namespace tagcomponent {

// The tag control: one stored file name and the ID3v1 record of that file, served
// as a COM object (made with automation::makeObject, held through ComPtr). Every
// member answers only on the thread that created the object (RPC_E_WRONG_THREAD
// elsewhere). The event interface __Lyrebox accepts sinks and never calls them.
// Its host keeps its saved properties in a property bag (IPersistPropertyBag).
class Lyrebox : public platform::automation::ComObject<ILyrebox, platform::automation::IConnectionPointContainer,
                                                       platform::automation::ISitedControl,
                                                       platform::automation::IPersistPropertyBag> {
 public:
  // The host's site: property-change notifications go to it, and About finds the
  // parent window through it. None: nobody is told, and About hides nothing.
  void setSite(platform::automation::ComPtr<platform::automation::IControlSite> site);
  HRESULT SetControlSite(platform::automation::IControlSite* site) override;

  // Exactly one of InitNew and Load runs for an instance (E_UNEXPECTED for a second);
  // a new object already holds the defaults InitNew gives it.
  HRESULT InitNew() override;
  HRESULT Load(platform::automation::IPropertyBag* bag) override;
  HRESULT Save(platform::automation::IPropertyBag* bag) override;

  // Hides the host's parent window, shows the About box modally, then gives the
  // parent back the visibility it had, also when the box could not be shown.
  HRESULT About() override;

  // Setting the name loads the file's tag; the set itself never fails.
  HRESULT get_MP3_FileName(std::u16string* out) override;
  HRESULT put_MP3_FileName(const std::u16string& New_MP3_FileName) override;
  // 0 when written, else a file-error number (53 not found, 75 read-only, ...).
  HRESULT SaveTag(std::int32_t* result) override;

  // Text gets return the field without trailing spaces and NULs, yielding to the
  // host's pending events as they strip; sets store into the fixed-width field.
  HRESULT get_ID3tag_Title(std::u16string* out) override;
  HRESULT put_ID3tag_Title(const std::u16string& New_ID3tag_Title) override;
  HRESULT get_ID3tag_Artist(std::u16string* out) override;
  HRESULT put_ID3tag_Artist(const std::u16string& New_ID3tag_Artist) override;
  HRESULT get_ID3tag_Album(std::u16string* out) override;
  HRESULT put_ID3tag_Album(const std::u16string& New_ID3tag_Album) override;
  HRESULT get_ID3tag_Comment(std::u16string* out) override;
  HRESULT put_ID3tag_Comment(const std::u16string& New_ID3tag_Comment) override;
  // The year text read as a number; DISP_E_OVERFLOW outside -32768..32767.
  HRESULT get_ID3tag_Year(std::int16_t* out) override;
  HRESULT put_ID3tag_Year(std::int16_t New_ID3tag_Year) override;
  HRESULT get_ID3tag_Genre(std::uint8_t* out) override;
  HRESULT put_ID3tag_Genre(std::uint8_t New_ID3tag_Genre) override;

  // Late-bound calls by the dispatch identifiers of LyreboxIdentity.h; names and
  // type information come from the library's own type library.
  HRESULT GetTypeInfoCount(std::uint32_t* count) override;
  HRESULT GetTypeInfo(std::uint32_t index, platform::automation::LCID locale,
                      platform::typelib::ITypeInfo** info) override;
  HRESULT GetIDsOfNames(const platform::automation::IID& reserved, const char16_t** names, std::uint32_t count,
                        platform::automation::LCID locale, platform::automation::DISPID* ids) override;
  HRESULT Invoke(platform::automation::DISPID member, const platform::automation::IID& reserved,
                 platform::automation::LCID locale, std::uint16_t flags, platform::automation::DISPPARAMS* params,
                 platform::automation::Variant* result, platform::automation::EXCEPINFO* exception,
                 std::uint32_t* argumentError) override;

  // One connection point, for __Lyrebox; enumeration is not offered (E_NOTIMPL).
  HRESULT EnumConnectionPoints(platform::automation::IEnumConnectionPoints** points) override;
  HRESULT FindConnectionPoint(const platform::automation::IID& iid,
                              platform::automation::IConnectionPoint** point) override;

  // Direct access to the state, for saving and restoring the control with its
  // host's window: neither opens a file nor notifies.
  const std::u16string& storedFileName() const { return fileName_; }
  const ID3tagRecord& record() const { return record_; }
  ID3tagRecord& record() { return record_; }

 protected:
  // A new control holds no file name and the no-tag values.
  Lyrebox();
  // The file calls must outlive the control; tests pass calls that fail on command.
  explicit Lyrebox(const FileCalls& fileCalls);
  ~Lyrebox() override = default;

 private:
  // Every member a host calls runs here: on the creating thread only, and behind
  // the fence that turns an exception into an HRESULT.
  template <class Body>
  HRESULT entered(Body&& body) {
    return platform::automation::guarded([&]() -> HRESULT {
      if (const HRESULT hr = apartment_.check(); platform::automation::failed(hr)) return hr;
      return body();
    });
  }
  template <std::size_t Width>
  static HRESULT getTrimmed(const FixedTextField<Width>& field, std::u16string* out);
  template <std::size_t Width>
  HRESULT putText(FixedTextField<Width>& field, std::u16string_view value, std::u16string_view bagKey);
  static std::u16string TrimTagField(std::u16string_view text);
  HRESULT notifyChanged(std::u16string_view bagKey);
  HRESULT invokeGet(platform::automation::DISPID member, std::uint16_t flags, platform::automation::Variant* result);
  HRESULT invokePut(platform::automation::DISPID member, platform::automation::DISPPARAMS* params,
                    std::uint32_t* argumentError);
  HRESULT interfaceTypeInfo(platform::automation::ComPtr<platform::typelib::ITypeInfo>& info);

  platform::automation::ApartmentCheck apartment_;
  std::shared_ptr<platform::automation::SinkConnections> events_;
  platform::automation::ComPtr<platform::typelib::ITypeInfo> typeInfo_;  // loaded on first use
  TagFileAccess files_;
  platform::automation::ComPtr<platform::automation::IControlSite> site_;
  std::u16string fileName_;
  ID3tagRecord record_;
  bool propertiesInitialised_ = false;
};

}  // namespace tagcomponent
