#include <platform/automation/ClassFactory.h>
#include <platform/automation/ComObject.h>
#include <platform/automation/ConnectionPoint.h>
#include <platform/automation/InprocServer.h>
#include <platform/automation/ObjectCreation.h>
#include <platform/automation/RegistryFile.h>
#include <gtest/gtest.h>

#include <fstream>
#include <thread>

#include <tests/support/ServerEntryPoints.h>
#include <tests/support/TemporaryFolder.h>
#include <tests/automation/TestServerIdentity.h>

AUTOMATION_DEFINE_LIBRARY_COUNTER()

namespace {

using tests::support::RegistryInTemporaryFolder;
using tests::support::ServerEntryPoints;

using namespace platform::automation;
using namespace platform::typelib;
using namespace tests::automation;

class ObjectCreation : public testing::Test {
 protected:
  void SetUp() override { ASSERT_EQ(server_.registerServer(), S_OK); }

  void setServerPath(const std::string& path) {
    ASSERT_TRUE(updateRegistry([&](RegistryTree& tree) {
                  tree.findKey("CLSID\\" + toRegistryText(CLSID_Record) + "\\InprocServer32")->setValue("", path);
                  return S_OK;
                }).ok());
  }

  ComPtr<IDispatch> create() {
    ComPtr<IDispatch> object;
    std::string why;
    EXPECT_EQ(createInstanceByProgId(kProgId, object, &why), S_OK) << why;
    return object;
  }

  RegistryInTemporaryFolder registry_;
  ServerEntryPoints server_{TEST_SERVER_PATH};
};

TEST_F(ObjectCreation, RegistrationWritesTheClassicLayout) {
  RegistryTree tree;
  ASSERT_TRUE(readRegistry(tree).ok());
  const std::string classKey = "CLSID\\" + toRegistryText(CLSID_Record);
  EXPECT_EQ(tree.value(classKey + "\\InprocServer32", ""), std::filesystem::canonical(TEST_SERVER_PATH).string());
  EXPECT_EQ(tree.value(classKey + "\\InprocServer32", "ThreadingModel"), "Apartment");
  EXPECT_EQ(tree.value(std::string(kProgId) + "\\CLSID", ""), toRegistryText(CLSID_Record));
}

TEST_F(ObjectCreation, CreatesByProgIdAndCallsLateBound) {
  const ComPtr<IDispatch> record = create();
  ASSERT_TRUE(record);
  // A put takes what Automation can coerce to the property's kind.
  struct Put {
    Variant value;
    HRESULT expected;
    std::int16_t year;  // the year read back afterwards
  };
  const Put puts[] = {{Variant::fromI4(1999), S_OK, 1999},
                      {Variant::fromBstr(u"2001"), S_OK, 2001},
                      {Variant::fromI4(70000), DISP_E_OVERFLOW, 2001},
                      {Variant::fromBstr(u"abc"), DISP_E_TYPEMISMATCH, 2001}};
  for (const Put& put : puts) {
    EXPECT_EQ(putProperty(record.get(), DISPID_Year, put.value), put.expected);
    Variant year;
    ASSERT_EQ(getProperty(record.get(), DISPID_Year, &year), S_OK);
    ASSERT_EQ(year.type(), VT_I2);
    EXPECT_EQ(year.i2(), put.year);
  }
  ASSERT_EQ(putProperty(record.get(), DISPID_Title, Variant::fromBstr(u"Tide")), S_OK);
  Variant length;
  ASSERT_EQ(callMethod(record.get(), DISPID_Length, &length), S_OK);
  EXPECT_EQ(length, Variant::fromI4(4));
  DISPID id = 0;
  EXPECT_EQ(idOfName(record.get(), u"Title", &id), S_OK);
  EXPECT_EQ(id, DISPID_Title);
  EXPECT_EQ(idOfName(record.get(), u"Nothing", &id), DISP_E_UNKNOWNNAME);
}

TEST_F(ObjectCreation, ObjectAnswersOnlyItsCreatingThread) {
  const ComPtr<IDispatch> record = create();
  ASSERT_TRUE(record);
  HRESULT fromOtherThread = S_OK;
  std::thread([&] {
    Variant year;
    fromOtherThread = getProperty(record.get(), DISPID_Year, &year);
  }).join();
  EXPECT_EQ(fromOtherThread, RPC_E_WRONG_THREAD);
  Variant year;
  EXPECT_EQ(getProperty(record.get(), DISPID_Year, &year), S_OK);
}

TEST_F(ObjectCreation, ClassNotRegistered) {
  ASSERT_EQ(server_.unregisterServer(), S_OK);
  ComPtr<IDispatch> object;
  std::string why;
  EXPECT_EQ(createInstanceByProgId(kProgId, object, &why), REGDB_E_CLASSNOTREG);
  EXPECT_NE(why.find(kProgId), std::string::npos) << why;
  EXPECT_EQ(createInstance(CLSID_Record, IID_IDispatch, object.putVoid(), &why), REGDB_E_CLASSNOTREG);
  EXPECT_FALSE(object);
  // Registering again brings it back.
  ASSERT_EQ(server_.registerServer(), S_OK);
  EXPECT_TRUE(create());
}

TEST_F(ObjectCreation, MissingOrUnloadableLibraryNamesThePathAndReason) {
  const std::string missing = (registry_.folder() / "gone.so").string();
  const std::string notALibrary = (registry_.folder() / "text.so").string();
  std::ofstream(notALibrary) << std::string(512, '#');  // long enough for the loader to read a header
  struct Case {
    std::string path;
    HRESULT expected;
    std::string reasonPart;
  };
  for (const Case& c :
       {Case{missing, CO_E_DLLNOTFOUND, "does not exist"}, Case{notALibrary, CO_E_ERRORINDLL, "invalid ELF header"}}) {
    setServerPath(c.path);
    ComPtr<IDispatch> object;
    std::string why;
    EXPECT_EQ(createInstanceByProgId(kProgId, object, &why), c.expected) << why;
    EXPECT_NE(why.find(c.path), std::string::npos) << why;
    EXPECT_NE(why.find(c.reasonPart), std::string::npos) << why;
  }
}

TEST_F(ObjectCreation, MalformedRegistryIsReportedNotCrashedOn) {
  std::ofstream(registry_.file()) << "[CLSID\n";
  ComPtr<IDispatch> object;
  std::string why;
  EXPECT_EQ(createInstanceByProgId(kProgId, object, &why), REGDB_E_READREGDB);
  EXPECT_NE(why.find(registry_.file().string() + ":1:"), std::string::npos) << why;
}

TEST_F(ObjectCreation, ClassFactoryServesOnlyItsClass) {
  ComPtr<IClassFactory> factory;
  EXPECT_EQ(server_.getClassObject(DIID_RecordEvents, IID_IClassFactory, factory.putVoid()), CLASS_E_CLASSNOTAVAILABLE);
  EXPECT_FALSE(factory);
  ASSERT_EQ(server_.getClassObject(CLSID_Record, IID_IClassFactory, factory.putVoid()), S_OK);
  ComPtr<IDispatch> object;
  IUnknown* outer = factory.get();
  EXPECT_EQ(factory->CreateInstance(outer, IID_IDispatch, object.putVoid()), CLASS_E_NOAGGREGATION);
  EXPECT_EQ(factory->CreateInstance(nullptr, IID_IClassFactory, object.putVoid()), E_NOINTERFACE);
  EXPECT_EQ(factory->CreateInstance(nullptr, IID_IDispatch, object.putVoid()), S_OK);
}

TEST_F(ObjectCreation, CanUnloadOnlyWithoutObjectsAndLocks) {
  {
    const ComPtr<IDispatch> record = create();
    ASSERT_TRUE(record);
    EXPECT_EQ(server_.canUnloadNow(), S_FALSE);
    unloadUnusedLibraries();  // must leave the library with its live object alone
    Variant year;
    EXPECT_EQ(getProperty(record.get(), DISPID_Year, &year), S_OK);
  }
  EXPECT_EQ(server_.canUnloadNow(), S_OK);

  ComPtr<IClassFactory> factory;
  ASSERT_EQ(server_.getClassObject(CLSID_Record, IID_IClassFactory, factory.putVoid()), S_OK);
  EXPECT_EQ(server_.canUnloadNow(), S_OK) << "a factory held but not locked";
  ASSERT_EQ(factory->LockServer(true), S_OK);
  factory.reset();
  EXPECT_EQ(server_.canUnloadNow(), S_FALSE);
  ASSERT_EQ(server_.getClassObject(CLSID_Record, IID_IClassFactory, factory.putVoid()), S_OK);
  ASSERT_EQ(factory->LockServer(false), S_OK);
  ASSERT_EQ(factory->LockServer(false), S_OK);  // one too many must not hide a later lock
  ASSERT_EQ(factory->LockServer(true), S_OK);
  EXPECT_EQ(server_.canUnloadNow(), S_FALSE);
  ASSERT_EQ(factory->LockServer(false), S_OK);
  factory.reset();
  EXPECT_EQ(server_.canUnloadNow(), S_OK);

  // Unloading an unused library, then creating again, loads it afresh.
  unloadUnusedLibraries();
  EXPECT_TRUE(create());
}

// Were the library closed while its factory runs, the creation would return into
// code that is gone.
TEST_F(ObjectCreation, AServerMayAskForUnloadingInTheMiddleOfACreation) {
  server_.close();
  ComPtr<IDispatch> record;
  std::string why;
  ASSERT_EQ(createInstance(CLSID_RecordUnloadingMidCreation, IID_IDispatch, record.putVoid(), &why), S_OK) << why;
  ASSERT_EQ(putProperty(record.get(), DISPID_Year, Variant::fromI2(1977)), S_OK);
  Variant year;
  ASSERT_EQ(getProperty(record.get(), DISPID_Year, &year), S_OK);
  EXPECT_EQ(year, Variant::fromI2(1977));
}

// A sink for the record's event interface; counts the calls it must never get.
class EventSink : public ComObject<IDispatch> {
 public:
  int calls = 0;
  HRESULT GetTypeInfoCount(std::uint32_t*) override { return ++calls, E_NOTIMPL; }
  HRESULT GetTypeInfo(std::uint32_t, LCID, ITypeInfo**) override { return ++calls, E_NOTIMPL; }
  HRESULT GetIDsOfNames(const IID&, const char16_t**, std::uint32_t, LCID, DISPID*) override {
    return ++calls, E_NOTIMPL;
  }
  HRESULT Invoke(DISPID, const IID&, LCID, std::uint16_t, DISPPARAMS*, Variant*, EXCEPINFO*, std::uint32_t*) override {
    return ++calls, E_NOTIMPL;
  }

 protected:
  EventSink() = default;
  void* findInterface(const IID& iid) override {
    if (iid == DIID_RecordEvents) return static_cast<IDispatch*>(this);
    return ComObject::findInterface(iid);
  }
};

TEST_F(ObjectCreation, EventSinkConnectsAndIsNeverCalled) {
  const ComPtr<IDispatch> record = create();
  ComPtr<IConnectionPointContainer> container;
  ASSERT_EQ(record.as(container), S_OK);
  ComPtr<IConnectionPoint> point;
  EXPECT_EQ(container->FindConnectionPoint(IID_IDispatch, point.put()), CONNECT_E_NOCONNECTION);
  ASSERT_EQ(container->FindConnectionPoint(DIID_RecordEvents, point.put()), S_OK);
  IID iid;
  ASSERT_EQ(point->GetConnectionInterface(&iid), S_OK);
  EXPECT_EQ(iid, DIID_RecordEvents);
  ComPtr<IConnectionPointContainer> back;
  ASSERT_EQ(point->GetConnectionPointContainer(back.put()), S_OK);
  EXPECT_EQ(back, container);

  const auto sink = makeObject<EventSink>();
  std::uint32_t cookie = 0;
  ASSERT_EQ(point->Advise(static_cast<IDispatch*>(sink.get()), &cookie), S_OK);
  EXPECT_NE(cookie, 0u);
  // A sink without the event interface is refused.
  const auto record2 = create();
  std::uint32_t refused = 0;
  EXPECT_EQ(point->Advise(record2.get(), &refused), CONNECT_E_CANNOTCONNECT);

  ASSERT_EQ(putProperty(record.get(), DISPID_Title, Variant::fromBstr(u"x")), S_OK);
  ASSERT_EQ(callMethod(record.get(), DISPID_Reset, nullptr), S_OK);
  EXPECT_EQ(sink->calls, 0);
  EXPECT_EQ(point->Unadvise(cookie + 1), CONNECT_E_NOCONNECTION);
  EXPECT_EQ(point->Unadvise(cookie), S_OK);
  EXPECT_EQ(point->Unadvise(cookie), CONNECT_E_NOCONNECTION);
}

TEST(ComObject, CountsItsLibrarysObjectsAndAnswersItsInterfaces) {
  const long before = thisLibraryCounter().objects();
  {
    const auto sink = makeObject<EventSink>();
    EXPECT_EQ(thisLibraryCounter().objects(), before + 1);
    ComPtr<IUnknown> unknown;
    ASSERT_EQ(static_cast<IDispatch*>(sink.get())->QueryInterface(IID_IUnknown, unknown.putVoid()), S_OK);
    EXPECT_EQ(unknown.get(), static_cast<IUnknown*>(static_cast<IDispatch*>(sink.get())));
    ComPtr<IClassFactory> none;
    EXPECT_EQ(static_cast<IDispatch*>(sink.get())->QueryInterface(IID_IClassFactory, none.putVoid()), E_NOINTERFACE);
    EXPECT_FALSE(none);
  }
  EXPECT_EQ(thisLibraryCounter().objects(), before);
}

}  // namespace
