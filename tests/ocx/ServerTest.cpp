// The library's entry points: exports, registration, class objects, unloading.
#include <platform/automation/Guid.h>
#include <platform/automation/RegistryFile.h>

#include <filesystem>

#include <tests/ocx/OcxTestSupport.h>

AUTOMATION_DEFINE_LIBRARY_COUNTER()

namespace {

using namespace platform::automation;
using namespace tests::ocx;
using namespace tests::support;
using tagcomponent::CLSID_Lyrebox;
using tagcomponent::LIBID_prjLyrebox;

std::string libraryPath() { return std::filesystem::canonical(LYREBOX_PATH).string(); }

RegistryTree currentRegistry() {
  RegistryTree tree;
  const RegistryStatus status = readRegistry(tree);
  EXPECT_TRUE(status.ok()) << status.message;
  return tree;
}

// Function symbols only (T, W, i): the linker may add data or absolute symbols,
// such as a version node, that are no entry points.
// The resources are read from the file (see ResourcesTest), not through an export.
TEST(LyreboxExports, ExactlyTheFourServerEntryPoints) {
  const RunResult symbols =
      runProgram("nm -D --defined-only " LYREBOX_PATH " | awk '$2 ~ /^[TWi]$/ {print $3}' | sort");
  ASSERT_EQ(symbols.exitCode, 0);
  EXPECT_EQ(symbols.output, "DllCanUnloadNow\nDllGetClassObject\nDllRegisterServer\nDllUnregisterServer\n");
  EXPECT_EQ(std::filesystem::path(LYREBOX_PATH).filename(), "Lyrebox.ocx");
}

// The library pulls Qt into a host that may have none; unloading it could leave
// Qt referring to code that is gone.
TEST(LyreboxLoading, StaysLoadedAfterTheLastHandleIsClosed) {
  { const LyreboxLibrary library; }
  void* stillThere = ::dlopen(LYREBOX_PATH, RTLD_NOW | RTLD_NOLOAD);
  EXPECT_NE(stillThere, nullptr);
  if (stillThere) ::dlclose(stillThere);
}

using LyreboxRegistration = RegisteredLyrebox;

TEST_F(LyreboxRegistration, WritesEveryEntryWithTheLibrarysAbsolutePath) {
  const std::string classKey = "CLSID\\" + toRegistryText(CLSID_Lyrebox);
  const std::string libraryKey = "TypeLib\\" + toRegistryText(LIBID_prjLyrebox) + "\\1.0";
  const std::string path = libraryPath();
  struct Entry {
    std::string key, name, value;
  };
  const Entry expected[] = {
      {libraryKey, "", "Wendlow Lyrebox r/w Ocx"},
      {libraryKey + "\\FLAGS", "", "2"},
      {libraryKey + "\\0\\linux", "", path},
      {classKey + "\\InprocServer32", "", path},
      {classKey + "\\InprocServer32", "ThreadingModel", "Apartment"},
      {classKey + "\\ProgID", "", "prjLyrebox.Lyrebox"},
      {classKey + "\\Control", "", ""},
      {classKey + "\\MiscStatus", "", "132497"},
      {classKey + "\\ToolboxBitmap32", "", path + ", 30000"},
      {classKey + "\\TypeLib", "", "{419F3D6A-0823-492A-99B0-7138061E831E}"},
      {classKey + "\\Version", "", "1.0"},
      {"prjLyrebox.Lyrebox\\CLSID", "", "{CFF571BF-AB85-4320-A064-6CE66A128D5F}"},
  };
  const RegistryTree tree = currentRegistry();
  for (const Entry& e : expected) EXPECT_EQ(tree.value(e.key, e.name), e.value) << e.key << " " << e.name;
  EXPECT_TRUE(std::filesystem::path(path).is_absolute());
}

TEST_F(LyreboxRegistration, UnregisterRemovesExactlyWhatRegisterWrote) {
  ASSERT_EQ(library.unregisterServer(), S_OK);
  // Another component, one of its keys under our class's parent keys, and a later
  // version of our own type library that someone else registered.
  const std::string otherLibrary = "TypeLib\\" + toRegistryText(LIBID_prjLyrebox) + "\\2.0";
  ASSERT_TRUE(updateRegistry([&](RegistryTree& tree) {
                tree.createKey("CLSID\\{00000000-1111-2222-3333-444444444444}\\InprocServer32")
                    ->setValue("", "/elsewhere/other.so");
                tree.createKey("other.Thing\\CLSID")->setValue("", "{00000000-1111-2222-3333-444444444444}");
                tree.createKey(otherLibrary)->setValue("", "a later version");
                return S_OK;
              }).ok());
  const RegistryTree before = currentRegistry();
  ASSERT_EQ(library.registerServer(), S_OK);
  ASSERT_NE(currentRegistry(), before);
  ASSERT_EQ(library.unregisterServer(), S_OK);
  EXPECT_EQ(currentRegistry(), before);
}

TEST_F(LyreboxRegistration, ProgIdTakenOverByAnotherClassIsLeftAlone) {
  ASSERT_TRUE(updateRegistry([](RegistryTree& tree) {
                tree.createKey("prjLyrebox.Lyrebox\\CLSID")->setValue("", "{00000000-1111-2222-3333-444444444444}");
                return S_OK;
              }).ok());
  ASSERT_EQ(library.unregisterServer(), S_OK);
  EXPECT_EQ(currentRegistry().value("prjLyrebox.Lyrebox\\CLSID", ""), "{00000000-1111-2222-3333-444444444444}");
}

TEST_F(LyreboxRegistration, CreationFailsWhileUnregisteredAndWorksAgainAfterRegistering) {
  EXPECT_TRUE(create());
  ASSERT_EQ(library.unregisterServer(), S_OK);
  ComPtr<IDispatch> object;
  EXPECT_EQ(createInstanceByProgId(tagcomponent::kProgId, object), REGDB_E_CLASSNOTREG);
  EXPECT_EQ(createInstance(CLSID_Lyrebox, IID_IDispatch, object.putVoid()), REGDB_E_CLASSNOTREG);
  EXPECT_FALSE(object);
  ASSERT_EQ(library.registerServer(), S_OK);
  EXPECT_TRUE(create());
}

TEST_F(LyreboxRegistration, ClassObjectOnlyForTheLyreboxClass) {
  void* object = reinterpret_cast<void*>(1);
  EXPECT_EQ(library.getClassObject(tagcomponent::IID__Lyrebox, IID_IClassFactory, &object), CLASS_E_CLASSNOTAVAILABLE);
  EXPECT_EQ(object, nullptr);
  ComPtr<IClassFactory> factory;
  ASSERT_EQ(library.getClassObject(CLSID_Lyrebox, IID_IClassFactory, factory.putVoid()), S_OK);
  ComPtr<IDispatch> made;
  EXPECT_EQ(factory->CreateInstance(nullptr, IID_IDispatch, made.putVoid()), S_OK);
  EXPECT_TRUE(made);
}

TEST_F(LyreboxRegistration, CanUnloadOnlyWithoutLiveInstancesOrLocks) {
  ASSERT_EQ(library.canUnloadNow(), S_OK);
  {
    ComPtr<IClassFactory> factory;
    ASSERT_EQ(library.getClassObject(CLSID_Lyrebox, IID_IClassFactory, factory.putVoid()), S_OK);
    EXPECT_EQ(library.canUnloadNow(), S_OK) << "a factory held but not locked";
  }
  {
    const ComPtr<IDispatch> object = create();
    EXPECT_EQ(library.canUnloadNow(), S_FALSE) << "a live instance";
  }
  EXPECT_EQ(library.canUnloadNow(), S_OK);
  {
    ComPtr<IClassFactory> factory;
    ASSERT_EQ(library.getClassObject(CLSID_Lyrebox, IID_IClassFactory, factory.putVoid()), S_OK);
    ASSERT_EQ(factory->LockServer(true), S_OK);
  }
  EXPECT_EQ(library.canUnloadNow(), S_FALSE) << "a lock without a factory";
  {
    ComPtr<IClassFactory> factory;
    ASSERT_EQ(library.getClassObject(CLSID_Lyrebox, IID_IClassFactory, factory.putVoid()), S_OK);
    ASSERT_EQ(factory->LockServer(false), S_OK);
  }
  EXPECT_EQ(library.canUnloadNow(), S_OK);
}

}  // namespace
