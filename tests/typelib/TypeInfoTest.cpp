#include <platform/automation/ComPtr.h>
#include <gtest/gtest.h>
#include <platform/typelib/TypeInfo.h>
#include <platform/typelib/TypeLibFormat.h>

#include <initializer_list>
#include <vector>

#include <tests/typelib/ComponentLikeLibrary.h>

using namespace platform::automation;
using namespace platform::typelib;
using tests::typelib::componentLikeLibrary;

namespace {
constexpr DISPID kYear = 0x68030002;

ComPtr<ITypeLib> loadComponentLike(bool namesPublished = false) {
  platform::typelib::Library model = componentLikeLibrary();
  model.parameterNamesPublished = namesPublished;
  ComPtr<ITypeLib> lib;
  std::string why;
  EXPECT_EQ(loadTypeLib(platform::typelib::serialize(model), lib.put(), &why), S_OK) << why;
  return lib;
}

ComPtr<ITypeInfo> typeOf(const ComPtr<ITypeLib>& lib, const GUID& guid) {
  ComPtr<ITypeInfo> info;
  EXPECT_EQ(lib->GetTypeInfoOfGuid(guid, info.put()), S_OK);
  return info;
}

struct IdsCase {
  std::vector<const char16_t*> names;
  std::vector<DISPID> expectedIds;
  HRESULT expected;
};

// One row per documented element: library index or member id, then what it answers.
struct DocumentationCase {
  std::int32_t key;
  std::u16string name, help;
  HRESULT expected;
};

template <class Document>
void expectDocumentation(Document document, std::initializer_list<DocumentationCase> cases) {
  for (const DocumentationCase& c : cases) {
    SCOPED_TRACE(c.key);
    std::u16string name = u"-", help = u"-";
    EXPECT_EQ(document(c.key, &name, &help), c.expected);
    EXPECT_EQ(name, c.name);
    EXPECT_EQ(help, c.help);
  }
}

void expectIds(ITypeInfo& info, const IdsCase& c) {
  std::vector<DISPID> ids(c.names.size(), 12345);
  std::vector<const char16_t*> names = c.names;
  EXPECT_EQ(info.GetIDsOfNames(names.data(), static_cast<std::uint32_t>(names.size()), ids.data()), c.expected);
  EXPECT_EQ(ids, c.expectedIds);
}
}  // namespace

TEST(TypeLib, LibraryAttributesAndDocumentation) {
  const ComPtr<ITypeLib> lib = loadComponentLike();
  LibraryAttributes attributes;
  ASSERT_EQ(lib->GetLibAttr(&attributes), S_OK);
  EXPECT_EQ(attributes.guid, tests::typelib::kLibraryId);
  EXPECT_EQ(attributes.majorVersion, 1);
  EXPECT_EQ(attributes.minorVersion, 0);
  EXPECT_EQ(attributes.lcid, 0u);
  EXPECT_EQ(attributes.flags, LIBFLAG_FCONTROL);
  EXPECT_EQ(lib->GetTypeInfoCount(), 3u);

  expectDocumentation([&](std::int32_t i, auto* name, auto* help) { return lib->GetDocumentation(i, name, help); },
                      {
                          {-1, u"prjLyrebox", u"Wendlow Lyrebox r/w Ocx", S_OK},
                          {0, u"Lyrebox", u"", S_OK},
                          {2, u"__Lyrebox", u"", S_OK},
                          {3, u"-", u"-", TYPE_E_ELEMENTNOTFOUND},
                          {-2, u"-", u"-", TYPE_E_ELEMENTNOTFOUND},
                      });
}

TEST(TypeInfo, MemberDocumentationByMemberId) {
  const ComPtr<ITypeInfo> info = typeOf(loadComponentLike(), tests::typelib::kInterfaceId);
  expectDocumentation([&](DISPID id, auto* name, auto* help) { return info->GetDocumentation(id, name, help); },
                      {
                          {-552, u"About", u"opens the AboutBox", S_OK},
                          {0x68030006, u"MP3_FileName", u"", S_OK},
                          {0x60030007, u"SaveTag", u"", S_OK},
                          {0x68030005, u"ID3tag_Title", u"To read or set the Title in the ID3 tag", S_OK},
                          {0x68030000, u"ID3tag_Genre", u"To read or set the Genre in the ID3 tag", S_OK},
                          {MEMBERID_NIL, u"_Lyrebox", u"", S_OK},
                          {0x68030007, u"-", u"-", TYPE_E_ELEMENTNOTFOUND},
                      });
}

TEST(TypeInfo, NamesResolveWithoutRegardToCase) {
  const ComPtr<ITypeInfo> info = typeOf(loadComponentLike(), tests::typelib::kInterfaceId);
  const IdsCase cases[] = {
      {{u"About"}, {-552}, S_OK},
      {{u"ABOUT"}, {-552}, S_OK},
      {{u"id3TAG_title"}, {0x68030005}, S_OK},
      {{u"mp3_filename"}, {0x68030006}, S_OK},
      {{u"SaveTag"}, {0x60030007}, S_OK},
      {{u"ID3tag_Titl"}, {MEMBERID_NIL}, DISP_E_UNKNOWNNAME},
      {{u"NoSuchMember"}, {MEMBERID_NIL}, DISP_E_UNKNOWNNAME},
      {{u""}, {MEMBERID_NIL}, DISP_E_UNKNOWNNAME},
      {{nullptr}, {MEMBERID_NIL}, DISP_E_UNKNOWNNAME},
      // Parameter names are withheld, so they cannot be resolved.
      {{u"ID3tag_Year", u"New_ID3tag_Year"}, {kYear, MEMBERID_NIL}, DISP_E_UNKNOWNNAME},
      {{u"NoSuchMember", u"New_ID3tag_Year"}, {MEMBERID_NIL, MEMBERID_NIL}, DISP_E_UNKNOWNNAME},
  };
  for (const IdsCase& c : cases) expectIds(*info, c);
}

TEST(TypeInfo, PublishedParameterNamesResolveToTheirPositions) {
  const ComPtr<ITypeInfo> info = typeOf(loadComponentLike(true), tests::typelib::kInterfaceId);
  const IdsCase cases[] = {
      {{u"ID3tag_Year", u"new_id3tag_year"}, {kYear, 0}, S_OK},
      {{u"ID3tag_Year", u"New_ID3tag_Title"}, {kYear, MEMBERID_NIL}, DISP_E_UNKNOWNNAME},
  };
  for (const IdsCase& c : cases) expectIds(*info, c);

  std::vector<std::u16string> names;
  ASSERT_EQ(info->GetNames(kYear, &names), S_OK);
  EXPECT_EQ(names, (std::vector<std::u16string>{u"ID3tag_Year", u"New_ID3tag_Year"}));
  const ComPtr<ITypeInfo> withheld = typeOf(loadComponentLike(false), tests::typelib::kInterfaceId);
  ASSERT_EQ(withheld->GetNames(kYear, &names), S_OK);
  EXPECT_EQ(names, std::vector<std::u16string>{u"ID3tag_Year"});
}

TEST(TypeInfo, DualInterfaceListsItsFunctionsInTableOrder) {
  const ComPtr<ITypeInfo> info = typeOf(loadComponentLike(), tests::typelib::kInterfaceId);
  TypeAttributes attributes;
  ASSERT_EQ(info->GetTypeAttr(&attributes), S_OK);
  EXPECT_EQ(attributes.kind, TKIND_INTERFACE);
  EXPECT_EQ(attributes.flags, TYPEFLAG_FHIDDEN | TYPEFLAG_FDUAL | TYPEFLAG_FNONEXTENSIBLE | TYPEFLAG_FOLEAUTOMATION |
                                  TYPEFLAG_FDISPATCHABLE);
  EXPECT_EQ(attributes.baseInterface, IID_IDispatch);
  ASSERT_EQ(attributes.functionCount, 16u);

  struct Row {
    std::uint32_t index;
    DISPID id;
    INVOKEKIND kind;
    VARTYPE value;
  };
  const Row rows[] = {
      {0, -552, INVOKE_FUNC, VT_EMPTY},
      {1, 0x68030006, INVOKE_PROPERTYGET, VT_BSTR},
      {2, 0x68030006, INVOKE_PROPERTYPUT, VT_EMPTY},
      {3, 0x60030007, INVOKE_FUNC, VT_I4},
      {10, kYear, INVOKE_PROPERTYGET, VT_I2},
      {15, 0x68030000, INVOKE_PROPERTYPUT, VT_EMPTY},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(r.index);
    FunctionDescription f;
    ASSERT_EQ(info->GetFuncDesc(r.index, &f), S_OK);
    EXPECT_EQ(f.memberId, r.id);
    EXPECT_EQ(f.invokeKind, r.kind);
    EXPECT_EQ(f.valueType(), r.value);
    EXPECT_EQ(f.resultType, VT_HRESULT);
    EXPECT_EQ(f.flags, 0);
  }
  FunctionDescription past;
  EXPECT_EQ(info->GetFuncDesc(16, &past), TYPE_E_ELEMENTNOTFOUND);
}

TEST(TypeInfo, CoclassNamesItsImplementedTypesWithTheirFlags) {
  const ComPtr<ITypeLib> lib = loadComponentLike();
  const ComPtr<ITypeInfo> coclass = typeOf(lib, tests::typelib::kClassId);
  TypeAttributes attributes;
  ASSERT_EQ(coclass->GetTypeAttr(&attributes), S_OK);
  EXPECT_EQ(attributes.kind, TKIND_COCLASS);
  EXPECT_EQ(attributes.flags, TYPEFLAG_FCONTROL);
  ASSERT_EQ(attributes.implementedTypeCount, 2u);

  struct Row {
    std::int32_t flags;
    GUID guid;
    TYPEKIND kind;
  };
  const Row rows[] = {{IMPLTYPEFLAG_FDEFAULT, tests::typelib::kInterfaceId, TKIND_INTERFACE},
                      {IMPLTYPEFLAG_FDEFAULT | IMPLTYPEFLAG_FSOURCE, tests::typelib::kEventsId, TKIND_DISPATCH}};
  for (std::uint32_t i = 0; i < 2; ++i) {
    SCOPED_TRACE(i);
    std::int32_t flags = -1;
    ASSERT_EQ(coclass->GetImplTypeFlags(i, &flags), S_OK);
    EXPECT_EQ(flags, rows[i].flags);
    ComPtr<ITypeInfo> implemented;
    ASSERT_EQ(coclass->GetImplementedType(i, implemented.put()), S_OK);
    TypeAttributes implementedAttributes;
    ASSERT_EQ(implemented->GetTypeAttr(&implementedAttributes), S_OK);
    EXPECT_EQ(implementedAttributes.guid, rows[i].guid);
    EXPECT_EQ(implementedAttributes.kind, rows[i].kind);
  }
  std::int32_t flags = 0;
  ComPtr<ITypeInfo> none;
  EXPECT_EQ(coclass->GetImplTypeFlags(2, &flags), TYPE_E_ELEMENTNOTFOUND);
  EXPECT_EQ(coclass->GetImplementedType(2, none.put()), TYPE_E_ELEMENTNOTFOUND);
  EXPECT_FALSE(none);
  EXPECT_EQ(typeOf(lib, tests::typelib::kInterfaceId)->GetImplementedType(0, none.put()), TYPE_E_ELEMENTNOTFOUND);
}

TEST(TypeInfo, KeepsItsLibraryAliveAndAnswersOnlyForItsInterfaces) {
  ComPtr<ITypeInfo> events;
  {
    const ComPtr<ITypeLib> lib = loadComponentLike();
    ASSERT_EQ(lib->GetTypeInfo(2, events.put()), S_OK);
    ComPtr<ITypeInfo> missing;
    EXPECT_EQ(lib->GetTypeInfo(3, missing.put()), TYPE_E_ELEMENTNOTFOUND);
    EXPECT_EQ(lib->GetTypeInfoOfGuid(IID_IDispatch, missing.put()), TYPE_E_ELEMENTNOTFOUND);
    EXPECT_FALSE(missing);
  }
  ComPtr<ITypeLib> container;
  std::uint32_t index = 99;
  ASSERT_EQ(events->GetContainingTypeLib(container.put(), &index), S_OK);
  EXPECT_EQ(index, 2u);
  std::u16string name;
  EXPECT_EQ(container->GetDocumentation(-1, &name, nullptr), S_OK);
  EXPECT_EQ(name, u"prjLyrebox");

  ComPtr<IUnknown> unknown;
  EXPECT_EQ(events->QueryInterface(IID_IUnknown, unknown.putVoid()), S_OK);
  EXPECT_TRUE(unknown);
  ComPtr<ITypeLib> wrong;
  EXPECT_EQ(events.as(wrong), E_NOINTERFACE);
  EXPECT_FALSE(wrong);
}

TEST(TypeInfo, DescriptionHeldInCodeServesLikeItsBinaryForm) {
  ComPtr<ITypeLib> lib;
  ASSERT_EQ(createTypeLib(componentLikeLibrary(), lib.put()), S_OK);
  FunctionDescription put;
  ASSERT_EQ(typeOf(lib, tests::typelib::kInterfaceId)->GetFuncDesc(2, &put), S_OK);
  ASSERT_EQ(put.parameters.size(), 1u);
  EXPECT_EQ(put.parameters[0].name, u"");
  EXPECT_EQ(put.parameters[0].type, VT_BSTR);
}
