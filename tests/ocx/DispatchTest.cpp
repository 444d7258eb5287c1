// The control driven late-bound through the built library, as the administrator
// drives it, and through its virtual table on the wrong thread.
#include <platform/automation/ConnectionPoint.h>
#include <platform/automation/ControlSite.h>
#include <tagcomponent/ComponentServices.h>
#include <tagcomponent/LyreboxInterface.h>
#include <platform/typelib/TypeInfo.h>

#include <fstream>
#include <functional>
#include <iterator>
#include <thread>

#include <tests/support/TagTestSupport.h>
#include <tests/ocx/OcxTestSupport.h>

namespace {

using namespace platform::automation;
using namespace platform::typelib;
using namespace tagcomponent;
using namespace tests::ocx;
using namespace tests::support;
using tests::support::tagBytes;

class LyreboxDispatch : public RegisteredLyrebox {
 protected:
  void SetUp() override {
    RegisteredLyrebox::SetUp();
    control = create();
    ASSERT_TRUE(control);
  }
  std::u16string mp3(const std::string& name, const tests::support::TagFields& fields) {
    const auto path = folder / name;
    tests::support::writeBytes(path, tests::support::concat(tests::support::filler(300), tagBytes(fields)));
    return path.u16string();
  }
  Variant get(DISPID id, std::uint16_t flags = DISPATCH_PROPERTYGET) {
    Variant result;
    EXPECT_EQ(invoke(control.get(), id, flags, {}, &result), S_OK) << id;
    return result;
  }
  HRESULT put(DISPID id, Variant value) { return invoke(control.get(), id, DISPATCH_PROPERTYPUT, {value}); }

  tests::support::TemporaryFolder folder;
  ComPtr<IDispatch> control;
};

// clang-format off
const tests::support::TagFields kFirst{.title = "First Title", .artist = "First Artist", .album = "First Album",
                                       .year = "1987", .comment = "one", .genre = 17};
const tests::support::TagFields kSecond{.title = "Second Title", .artist = "Second Artist", .album = "Second Album",
                                        .year = "2004", .comment = "two", .genre = 80};
// clang-format on

TEST_F(LyreboxDispatch, EveryPropertyAnswersBothGetFlagsWithItsExactType) {
  const std::u16string file = mp3("first.mp3", kFirst);
  ASSERT_EQ(put(DISPID_MP3_FileName, Variant::fromBstr(file)), S_OK);
  const struct {
    DISPID id;
    Variant expected;
  } properties[] = {
      {DISPID_MP3_FileName, Variant::fromBstr(file)},
      {DISPID_ID3tag_Title, Variant::fromBstr(u"First Title")},
      {DISPID_ID3tag_Artist, Variant::fromBstr(u"First Artist")},
      {DISPID_ID3tag_Album, Variant::fromBstr(u"First Album")},
      {DISPID_ID3tag_Year, Variant::fromI2(1987)},
      {DISPID_ID3tag_Comment, Variant::fromBstr(u"one")},
      {DISPID_ID3tag_Genre, Variant::fromUI1(17)},
  };
  for (const std::uint16_t flags : {DISPATCH_PROPERTYGET, std::uint16_t(DISPATCH_METHOD | DISPATCH_PROPERTYGET)})
    for (const auto& p : properties) {
      const Variant value = get(p.id, flags);
      EXPECT_EQ(value.type(), p.expected.type()) << p.id << " flags " << flags;
      EXPECT_EQ(value, p.expected) << p.id << " flags " << flags;
    }
}

TEST_F(LyreboxDispatch, MethodsAnswerAMethodCallAndSaveTagGivesAnI4) {
  ASSERT_EQ(put(DISPID_MP3_FileName, Variant::fromBstr(mp3("first.mp3", kFirst))), S_OK);
  for (const std::uint16_t flags : {DISPATCH_METHOD, std::uint16_t(DISPATCH_METHOD | DISPATCH_PROPERTYGET)}) {
    const Variant saved = get(DISPID_SaveTag, flags);
    EXPECT_EQ(saved.type(), VT_I4);
    EXPECT_EQ(saved.i4(), 0);
  }
  Variant ignored;
  EXPECT_EQ(invoke(control.get(), DISPID_SaveTag, DISPATCH_PROPERTYGET, {}, &ignored), DISP_E_MEMBERNOTFOUND);
  EXPECT_EQ(invoke(control.get(), DISPID_ID3tag_Title, DISPATCH_METHOD, {}, &ignored), DISP_E_MEMBERNOTFOUND);
}

TEST_F(LyreboxDispatch, PutOfAFileNameIsFollowedAtOnceByThatFilesFields) {
  const std::u16string first = mp3("first.mp3", kFirst), second = mp3("second.mp3", kSecond);
  ASSERT_EQ(put(DISPID_MP3_FileName, Variant::fromBstr(first)), S_OK);
  EXPECT_EQ(get(DISPID_ID3tag_Title).bstr(), u"First Title");
  ASSERT_EQ(put(DISPID_MP3_FileName, Variant::fromBstr(second)), S_OK);
  EXPECT_EQ(get(DISPID_ID3tag_Title).bstr(), u"Second Title");
  EXPECT_EQ(get(DISPID_ID3tag_Album).bstr(), u"Second Album");
  EXPECT_EQ(get(DISPID_ID3tag_Artist).bstr(), u"Second Artist");
}

TEST_F(LyreboxDispatch, PutsCoerceTheirValueToTheMembersType) {
  const struct {
    DISPID id;
    Variant given;
    Variant read;
  } cases[] = {
      {DISPID_ID3tag_Year, Variant::fromI4(1999), Variant::fromI2(1999)},
      {DISPID_ID3tag_Year, Variant::fromBstr(u" 2001 "), Variant::fromI2(2001)},
      {DISPID_ID3tag_Genre, Variant::fromI2(7), Variant::fromUI1(7)},
      {DISPID_ID3tag_Genre, Variant::fromBstr(u"255"), Variant::fromUI1(255)},
      {DISPID_ID3tag_Title, Variant::fromI4(42), Variant::fromBstr(u"42")},
      {DISPID_ID3tag_Comment, Variant::fromBstr(u""), Variant::fromBstr(u"")},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(put(c.id, c.given), S_OK) << c.id;
    EXPECT_EQ(get(c.id), c.read) << c.id;
  }
}

TEST_F(LyreboxDispatch, RefusedCallsSayWhyAndChangeNothing) {
  ASSERT_EQ(put(DISPID_ID3tag_Year, Variant::fromI2(1990)), S_OK);
  ASSERT_EQ(put(DISPID_ID3tag_Genre, Variant::fromUI1(9)), S_OK);
  const struct {
    const char* what;
    DISPID id;
    std::uint16_t flags;
    std::vector<Variant> arguments;
    HRESULT expected;
    // clang-format off
  } cases[] = {
      {"unknown id, get", 0x68030007, DISPATCH_PROPERTYGET, {}, DISP_E_MEMBERNOTFOUND},
      {"unknown id, call", 12345, DISPATCH_METHOD, {}, DISP_E_MEMBERNOTFOUND},
      {"unknown id, put", 0x68030007, DISPATCH_PROPERTYPUT, {Variant::fromI2(1)}, DISP_E_MEMBERNOTFOUND},
      {"put on a method", DISPID_SaveTag, DISPATCH_PROPERTYPUT, {Variant::fromI4(1)}, DISP_E_MEMBERNOTFOUND},
      {"put on About", DISPID_About, DISPATCH_PROPERTYPUT, {Variant::fromI4(1)}, DISP_E_MEMBERNOTFOUND},
      {"get with an argument", DISPID_ID3tag_Year, DISPATCH_PROPERTYGET, {Variant::fromI2(1)}, DISP_E_BADPARAMCOUNT},
      {"call with an argument", DISPID_SaveTag, DISPATCH_METHOD, {Variant::fromI2(1)}, DISP_E_BADPARAMCOUNT},
      {"put without a value", DISPID_ID3tag_Year, DISPATCH_PROPERTYPUT, {}, DISP_E_BADPARAMCOUNT},
      {"put of two values", DISPID_ID3tag_Year, DISPATCH_PROPERTYPUT, {Variant::fromI2(1), Variant::fromI2(2)},
       DISP_E_BADPARAMCOUNT},
      {"year not a number", DISPID_ID3tag_Year, DISPATCH_PROPERTYPUT, {Variant::fromBstr(u"abc")},
       DISP_E_TYPEMISMATCH},
      {"genre not a number", DISPID_ID3tag_Genre, DISPATCH_PROPERTYPUT, {Variant::fromBstr(u"rock")},
       DISP_E_TYPEMISMATCH},
      {"year too large", DISPID_ID3tag_Year, DISPATCH_PROPERTYPUT, {Variant::fromI4(40000)}, DISP_E_OVERFLOW},
      {"genre too large", DISPID_ID3tag_Genre, DISPATCH_PROPERTYPUT, {Variant::fromI4(300)}, DISP_E_OVERFLOW},
      {"genre negative", DISPID_ID3tag_Genre, DISPATCH_PROPERTYPUT, {Variant::fromI2(-1)}, DISP_E_OVERFLOW},
  };
  // clang-format on
  for (const auto& c : cases) EXPECT_EQ(invoke(control.get(), c.id, c.flags, c.arguments), c.expected) << c.what;
  EXPECT_EQ(get(DISPID_ID3tag_Year), Variant::fromI2(1990));
  EXPECT_EQ(get(DISPID_ID3tag_Genre), Variant::fromUI1(9));
}

TEST_F(LyreboxDispatch, NamesResolveFromTheEmbeddedTypeLibrary) {
  const struct {
    std::u16string name;
    DISPID id;
  } names[] = {{u"About", DISPID_About},
               {u"MP3_FileName", DISPID_MP3_FileName},
               {u"SaveTag", DISPID_SaveTag},
               {u"ID3tag_Title", DISPID_ID3tag_Title},
               {u"id3tag_artist", DISPID_ID3tag_Artist},
               {u"ID3TAG_ALBUM", DISPID_ID3tag_Album},
               {u"ID3tag_Year", DISPID_ID3tag_Year},
               {u"ID3tag_Comment", DISPID_ID3tag_Comment},
               {u"ID3tag_Genre", DISPID_ID3tag_Genre}};
  for (const auto& n : names) {
    DISPID id = 0;
    EXPECT_EQ(idOfName(control.get(), n.name, &id), S_OK);
    EXPECT_EQ(id, n.id);
  }
  DISPID id = 0;
  EXPECT_EQ(idOfName(control.get(), u"Visible", &id), DISP_E_UNKNOWNNAME);
}

TEST_F(LyreboxDispatch, TypeInformationDescribesThePublishedInterface) {
  std::uint32_t count = 0;
  ASSERT_EQ(control->GetTypeInfoCount(&count), S_OK);
  EXPECT_EQ(count, 1u);
  ComPtr<ITypeInfo> info;
  EXPECT_EQ(control->GetTypeInfo(1, LOCALE_NEUTRAL, info.put()), DISP_E_BADINDEX);
  ASSERT_EQ(control->GetTypeInfo(0, LOCALE_NEUTRAL, info.put()), S_OK);
  TypeAttributes attributes;
  ASSERT_EQ(info->GetTypeAttr(&attributes), S_OK);
  EXPECT_EQ(attributes.guid, IID__Lyrebox);
  EXPECT_EQ(attributes.functionCount, 16u);
  EXPECT_EQ(attributes.flags, TYPEFLAG_FHIDDEN | TYPEFLAG_FDUAL | TYPEFLAG_FNONEXTENSIBLE | TYPEFLAG_FOLEAUTOMATION |
                                  TYPEFLAG_FDISPATCHABLE);
  const struct {
    DISPID id;
    std::u16string help;
  } help[] = {{DISPID_About, u"opens the AboutBox"},
              {DISPID_MP3_FileName, u""},
              {DISPID_SaveTag, u""},
              {DISPID_ID3tag_Year, u"To read or set the Year in the ID3 tag"},
              {DISPID_ID3tag_Genre, u"To read or set the Genre in the ID3 tag"}};
  for (const auto& h : help) {
    std::u16string text = u"unset";
    EXPECT_EQ(info->GetDocumentation(h.id, nullptr, &text), S_OK);
    EXPECT_EQ(text, h.help) << h.id;
  }
  std::vector<std::u16string> putNames;
  ASSERT_EQ(info->GetNames(DISPID_ID3tag_Title, &putNames), S_OK);
  EXPECT_EQ(putNames, std::vector<std::u16string>{u"ID3tag_Title"}) << "parameter names are not published";

  ComPtr<ITypeLib> library;
  std::uint32_t index = 0;
  ASSERT_EQ(info->GetContainingTypeLib(library.put(), &index), S_OK);
  LibraryAttributes libraryAttributes;
  ASSERT_EQ(library->GetLibAttr(&libraryAttributes), S_OK);
  EXPECT_EQ(libraryAttributes.guid, LIBID_prjLyrebox);
  EXPECT_EQ(libraryAttributes.flags, LIBFLAG_FCONTROL);
  EXPECT_EQ(libraryAttributes.majorVersion, 1);
  std::u16string libraryName, libraryHelp;
  ASSERT_EQ(library->GetDocumentation(-1, &libraryName, &libraryHelp), S_OK);
  EXPECT_EQ(libraryName, u"prjLyrebox");
  EXPECT_EQ(libraryHelp, u"Wendlow Lyrebox r/w Ocx");
  ComPtr<ITypeInfo> coclass;
  ASSERT_EQ(library->GetTypeInfoOfGuid(CLSID_Lyrebox, coclass.put()), S_OK);
  ASSERT_EQ(coclass->GetTypeAttr(&attributes), S_OK);
  EXPECT_EQ(attributes.flags, TYPEFLAG_FCONTROL);
  EXPECT_EQ(attributes.implementedTypeCount, 2u);
}

// Answers every call it gets by counting it; connects as the event interface.
class CountingSink : public ComObject<IDispatch> {
 public:
  int calls = 0;
  HRESULT GetTypeInfoCount(std::uint32_t*) override { return counted(E_NOTIMPL); }
  HRESULT GetTypeInfo(std::uint32_t, LCID, ITypeInfo**) override { return counted(E_NOTIMPL); }
  HRESULT GetIDsOfNames(const IID&, const char16_t**, std::uint32_t, LCID, DISPID*) override {
    return counted(E_NOTIMPL);
  }
  HRESULT Invoke(DISPID, const IID&, LCID, std::uint16_t, DISPPARAMS*, Variant*, EXCEPINFO*, std::uint32_t*) override {
    return counted(S_OK);
  }

 protected:
  CountingSink() = default;
  HRESULT counted(HRESULT answer) {
    ++calls;
    return answer;
  }
  void* findInterface(const IID& iid) override {
    if (iid == DIID___Lyrebox) return static_cast<IDispatch*>(this);
    return ComObject::findInterface(iid);
  }
};

TEST_F(LyreboxDispatch, AnEventSinkIsAcceptedAndNeverCalled) {
  ComPtr<IConnectionPointContainer> container;
  ASSERT_EQ(control.as(container), S_OK);
  ComPtr<IConnectionPoint> point;
  EXPECT_EQ(container->FindConnectionPoint(IID_IDispatch, point.put()), CONNECT_E_NOCONNECTION);
  ASSERT_EQ(container->FindConnectionPoint(DIID___Lyrebox, point.put()), S_OK);
  IID offered{};
  ASSERT_EQ(point->GetConnectionInterface(&offered), S_OK);
  EXPECT_EQ(offered, DIID___Lyrebox);

  const auto sink = makeObject<CountingSink>();
  std::uint32_t cookie = 0;
  ASSERT_EQ(point->Advise(sink.get(), &cookie), S_OK);
  ASSERT_EQ(put(DISPID_MP3_FileName, Variant::fromBstr(mp3("first.mp3", kFirst))), S_OK);
  ASSERT_EQ(put(DISPID_ID3tag_Title, Variant::fromBstr(u"Changed")), S_OK);
  EXPECT_EQ(get(DISPID_SaveTag, DISPATCH_METHOD).i4(), 0);
  get(DISPID_ID3tag_Title);
  EXPECT_EQ(sink->calls, 0);
  EXPECT_EQ(point->Unadvise(cookie), S_OK);
  EXPECT_EQ(point->Unadvise(cookie), CONNECT_E_NOCONNECTION);
}

TEST_F(LyreboxDispatch, EveryMemberRefusesACallFromAnotherThread) {
  ComPtr<ILyrebox> early;
  ASSERT_EQ(control.as(early), S_OK);
  ComPtr<IConnectionPointContainer> container;
  ASSERT_EQ(control.as(container), S_OK);
  ComPtr<platform::automation::ISitedControl> sited;
  ASSERT_EQ(control.as(sited), S_OK);
  ILyrebox& c = *early;
  std::u16string text;
  std::int16_t year = 0;
  std::uint8_t genre = 0;
  std::int32_t saved = 0;
  const struct {
    const char* what;
    std::function<HRESULT()> call;
  } calls[] = {
      {"About", [&] { return c.About(); }},
      {"get_MP3_FileName", [&] { return c.get_MP3_FileName(&text); }},
      {"put_MP3_FileName", [&] { return c.put_MP3_FileName(u"/no/file.mp3"); }},
      {"SaveTag", [&] { return c.SaveTag(&saved); }},
      {"get_ID3tag_Title", [&] { return c.get_ID3tag_Title(&text); }},
      {"put_ID3tag_Title", [&] { return c.put_ID3tag_Title(u"x"); }},
      {"get_ID3tag_Artist", [&] { return c.get_ID3tag_Artist(&text); }},
      {"put_ID3tag_Artist", [&] { return c.put_ID3tag_Artist(u"x"); }},
      {"get_ID3tag_Album", [&] { return c.get_ID3tag_Album(&text); }},
      {"put_ID3tag_Album", [&] { return c.put_ID3tag_Album(u"x"); }},
      {"get_ID3tag_Year", [&] { return c.get_ID3tag_Year(&year); }},
      {"put_ID3tag_Year", [&] { return c.put_ID3tag_Year(1); }},
      {"get_ID3tag_Comment", [&] { return c.get_ID3tag_Comment(&text); }},
      {"put_ID3tag_Comment", [&] { return c.put_ID3tag_Comment(u"x"); }},
      {"get_ID3tag_Genre", [&] { return c.get_ID3tag_Genre(&genre); }},
      {"put_ID3tag_Genre", [&] { return c.put_ID3tag_Genre(1); }},
      {"Invoke",
       [&] {
         Variant result;
         return invoke(&c, DISPID_ID3tag_Title, DISPATCH_PROPERTYGET, {}, &result);
       }},
      {"GetIDsOfNames",
       [&] {
         DISPID id;
         return idOfName(&c, u"About", &id);
       }},
      {"GetTypeInfo",
       [&] {
         ComPtr<ITypeInfo> info;
         return c.GetTypeInfo(0, LOCALE_NEUTRAL, info.put());
       }},
      {"FindConnectionPoint",
       [&] {
         ComPtr<IConnectionPoint> point;
         return container->FindConnectionPoint(DIID___Lyrebox, point.put());
       }},
      {"SetControlSite", [&] { return sited->SetControlSite(nullptr); }},
  };
  for (const auto& call : calls) {
    HRESULT elsewhere = S_OK;
    std::thread([&] { elsewhere = call.call(); }).join();
    EXPECT_EQ(elsewhere, RPC_E_WRONG_THREAD) << call.what;
  }
  EXPECT_EQ(c.put_ID3tag_Year(1999), S_OK) << "the creating thread is still served";
  EXPECT_EQ(c.get_ID3tag_Year(&year), S_OK);
  EXPECT_EQ(year, 1999);
}

TEST_F(LyreboxDispatch, DispcallDrivesTheRegisteredLibrary) {
  const std::u16string file = mp3("first.mp3", kFirst);
  const std::string path(file.begin(), file.end());
  const RunResult run = runProgram(std::string(DISPCALL_PATH) + " prjLyrebox.Lyrebox put:0x68030006=" + path +
                                   " get:0x68030005 callget:0x68030003 get:0x68030004 get:0x68030002"
                                   " get:0x68030000 put:0x68030002=i4:40000 call:0x60030007 call:-552");
  EXPECT_EQ(run.exitCode, 1) << "About cannot show a box without a Qt application";
  EXPECT_EQ(run.output,
            "ok\nVT_BSTR \"First Title\"\nVT_BSTR \"First Album\"\nVT_BSTR \"First Artist\"\nVT_I2 1987\n"
            "VT_UI1 17\nerror 0x8002000A\nVT_I4 0\nerror 0x80040A01\n");
}

// A host without widgets, such as the command line on a machine without a display,
// reads tags and asks for About without Qt's widget libraries ever being loaded.
TEST_F(LyreboxDispatch, AHostWithoutWidgetsNeverLoadsThem) {
  ASSERT_EQ(put(DISPID_MP3_FileName, Variant::fromBstr(mp3("first.mp3", kFirst))), S_OK);
  EXPECT_EQ(get(DISPID_ID3tag_Title).bstr(), u"First Title");
  Variant none;
  EXPECT_EQ(invoke(control.get(), DISPID_About, DISPATCH_METHOD, {}, &none), LYREBOX_E_NOWINDOWSYSTEM);
  std::ifstream maps("/proc/self/maps");
  const std::string loaded{std::istreambuf_iterator<char>(maps), std::istreambuf_iterator<char>()};
  ASSERT_FALSE(loaded.empty());
  EXPECT_EQ(loaded.find("libQt6Widgets"), std::string::npos);
  EXPECT_EQ(loaded.find("LyreboxAbout"), std::string::npos);
}

}  // namespace
