// A tiny registered class for the object-creation tests: a record with typed
// properties, a method, and an event source that never fires.
#include <platform/automation/Apartment.h>
#include <platform/automation/ClassFactoryOf.h>
#include <platform/automation/ComObject.h>
#include <platform/automation/ConnectionPoint.h>
#include <platform/automation/Guarded.h>
#include <platform/automation/InprocServer.h>
#include <platform/automation/ObjectCreation.h>
#include <platform/automation/RegistryFile.h>
#include <platform/automation/SinkConnectionPoint.h>

#include <memory>
#include <string>

#include <tests/automation/TestServerIdentity.h>

AUTOMATION_DEFINE_LIBRARY_COUNTER()

namespace {

using namespace platform::automation;
using namespace platform::typelib;
using namespace tests::automation;

class Record : public ComObject<IDispatch, IConnectionPointContainer> {
 public:
  HRESULT GetTypeInfoCount(std::uint32_t* count) override {
    if (!count) return E_POINTER;
    *count = 0;
    return S_OK;
  }
  HRESULT GetTypeInfo(std::uint32_t, LCID, ITypeInfo** info) override {
    if (info) *info = nullptr;
    return E_NOTIMPL;
  }
  HRESULT GetIDsOfNames(const IID&, const char16_t** names, std::uint32_t count, LCID, DISPID* ids) override {
    if (!names || !ids) return E_POINTER;
    static constexpr std::pair<std::u16string_view, DISPID> members[] = {
        {u"Year", DISPID_Year},   {u"Title", DISPID_Title},   {u"Genre", DISPID_Genre},
        {u"Saved", DISPID_Saved}, {u"Length", DISPID_Length}, {u"Reset", DISPID_Reset}};
    HRESULT hr = S_OK;
    for (std::uint32_t i = 0; i < count; ++i) {
      ids[i] = DISPID_UNKNOWN;
      for (const auto& [name, id] : members)
        if (names[i] && name == names[i]) ids[i] = id;
      if (ids[i] == DISPID_UNKNOWN) hr = DISP_E_UNKNOWNNAME;
    }
    return hr;
  }

  HRESULT Invoke(DISPID member, const IID&, LCID, std::uint16_t flags, DISPPARAMS* params, Variant* result, EXCEPINFO*,
                 std::uint32_t* argumentError) override {
    if (const HRESULT hr = apartment_.check(); failed(hr)) return hr;
    if (flags & DISPATCH_PROPERTYPUT) return put(member, params, argumentError);
    if (!(flags & (DISPATCH_PROPERTYGET | DISPATCH_METHOD))) return DISP_E_MEMBERNOTFOUND;
    if (const HRESULT hr = expectNoArguments(params); failed(hr)) return hr;
    Variant value;
    switch (member) {
      case DISPID_Year: value = Variant::fromI2(year_); break;
      case DISPID_Title: value = Variant::fromBstr(title_); break;
      case DISPID_Genre: value = Variant::fromUI1(genre_); break;
      case DISPID_Saved: value = Variant::fromBool(false); break;
      case DISPID_Length:
        if (!(flags & DISPATCH_METHOD)) return DISP_E_MEMBERNOTFOUND;
        value = Variant::fromI4(static_cast<std::int32_t>(title_.size()));
        break;
      case DISPID_Reset:
        if (!(flags & DISPATCH_METHOD)) return DISP_E_MEMBERNOTFOUND;
        resetFields();
        break;
      default: return DISP_E_MEMBERNOTFOUND;
    }
    if (result) *result = std::move(value);
    return S_OK;
  }

  HRESULT EnumConnectionPoints(IEnumConnectionPoints** points) override {
    if (points) *points = nullptr;
    return E_NOTIMPL;
  }
  HRESULT FindConnectionPoint(const IID& iid, IConnectionPoint** point) override {
    if (!point) return E_POINTER;
    *point = nullptr;
    if (iid != events_->iid()) return CONNECT_E_NOCONNECTION;
    *point = makeSinkConnectionPoint(this, events_).detach();
    return S_OK;
  }

 protected:
  Record() = default;

 private:
  void resetFields() {
    year_ = 0;
    title_.clear();
    genre_ = 255;
  }

  HRESULT put(DISPID member, DISPPARAMS* params, std::uint32_t* argumentError) {
    static constexpr std::pair<DISPID, VARTYPE> types[] = {
        {DISPID_Year, VT_I2}, {DISPID_Title, VT_BSTR}, {DISPID_Genre, VT_UI1}};
    for (const auto& [id, type] : types) {
      if (id != member) continue;
      Variant value;
      if (const HRESULT hr = propertyPutArgument(params, type, value, argumentError); failed(hr)) return hr;
      if (type == VT_I2)
        year_ = value.i2();
      else if (type == VT_BSTR)
        title_ = value.bstr();
      else
        genre_ = value.ui1();
      return S_OK;
    }
    return DISP_E_MEMBERNOTFOUND;
  }

  ApartmentCheck apartment_;
  std::shared_ptr<SinkConnections> events_ = std::make_shared<SinkConnections>(DIID_RecordEvents);
  std::int16_t year_ = 0;
  std::u16string title_;
  std::uint8_t genre_ = 255;
};

// As a server might that creates and drops objects of its own while it makes one:
// the loader must not close this library while it holds this factory.
class UnloadingFactory : public ClassFactoryOf<Record> {
 public:
  HRESULT CreateInstance(IUnknown* outer, const IID& iid, void** object) override {
    unloadUnusedLibraries();
    return ClassFactoryOf<Record>::CreateInstance(outer, iid, object);
  }

 protected:
  UnloadingFactory() = default;
};

std::string classKey(const CLSID& clsid = CLSID_Record) { return "CLSID\\" + toRegistryText(clsid); }

}  // namespace

HRESULT DllGetClassObject(const CLSID& clsid, const IID& iid, void** object) {
  if (clsid != CLSID_RecordUnloadingMidCreation) return getClassObjectOf<Record>(CLSID_Record, clsid, iid, object);
  if (!object) return E_POINTER;
  *object = nullptr;
  return guarded([&] { return makeObject<UnloadingFactory>()->QueryInterface(iid, object); });
}

HRESULT DllCanUnloadNow() { return thisLibraryCounter().canUnloadNow(); }

HRESULT DllRegisterServer() {
  const std::string path = libraryPathContaining(reinterpret_cast<const void*>(&DllRegisterServer));
  const auto status = updateRegistry([&](RegistryTree& tree) {
    RegistryKey* server = tree.createKey(classKey() + "\\InprocServer32");
    server->setValue("", path);
    server->setValue("ThreadingModel", "Apartment");
    tree.createKey(classKey() + "\\ProgID")->setValue("", kProgId);
    tree.createKey(classKey(CLSID_RecordUnloadingMidCreation) + "\\InprocServer32")->setValue("", path);
    tree.createKey(std::string(kProgId) + "\\CLSID")->setValue("", toRegistryText(CLSID_Record));
    return S_OK;
  });
  return status.hr;
}

HRESULT DllUnregisterServer() {
  const auto status = updateRegistry([](RegistryTree& tree) {
    tree.deleteKeyTree(classKey());
    tree.deleteKeyTree(classKey(CLSID_RecordUnloadingMidCreation));
    tree.deleteKeyTree(kProgId);
    return S_OK;
  });
  return status.hr;
}
