#include <platform/automation/ComPtr.h>
#include <platform/automation/Unknown.h>
#include <gtest/gtest.h>
#include <platform/typelib/TypeInfo.h>
#include <platform/typelib/TypeLibFormat.h>

#include <functional>

#include <tests/typelib/ComponentLikeLibrary.h>

using namespace platform::automation;
using namespace platform::typelib;
using tests::typelib::componentLikeLibrary;

namespace {
Library withoutParameterNames(Library lib) {
  for (auto& type : lib.types)
    for (auto& function : type.functions)
      for (auto& parameter : function.parameters) parameter.name.clear();
  return lib;
}

std::string parseError(std::span<const std::uint8_t> bytes) {
  const ParseResult result = parse(bytes);
  EXPECT_FALSE(result.library.has_value());
  return result.error;
}

std::uint32_t readU32(const std::vector<std::uint8_t>& b, std::size_t at) {
  return b[at] | (b[at + 1] << 8) | (b[at + 2] << 16) | (std::uint32_t(b[at + 3]) << 24);
}
}  // namespace

TEST(TypeLibFormat, RoundTripKeepsEverythingButUnpublishedParameterNames) {
  for (const bool published : {false, true}) {
    SCOPED_TRACE(published ? "names published" : "names withheld");
    Library original = componentLikeLibrary();
    original.parameterNamesPublished = published;

    const ParseResult result = parse(serialize(original));

    ASSERT_TRUE(result.library.has_value()) << result.error;
    EXPECT_EQ(*result.library, published ? original : withoutParameterNames(original));
    const Parameter& put = result.library->types[1].functions[2].parameters.at(0);
    EXPECT_EQ(put.name, published ? u"New_MP3_FileName" : u"");
    EXPECT_EQ(put.type, VT_BSTR);
    EXPECT_EQ(put.flags, PARAMFLAG_FIN);
  }
}

TEST(TypeLibFormat, EveryTruncationIsRefusedWithAReason) {
  const std::vector<std::uint8_t> bytes = serialize(componentLikeLibrary());
  for (std::size_t length = 0; length < bytes.size(); ++length) {
    const std::span<const std::uint8_t> prefix(bytes.data(), length);
    ComPtr<ITypeLib> lib;
    std::string why;
    ASSERT_EQ(loadTypeLib(prefix, lib.put(), &why), TYPE_E_INVDATAREAD) << "length " << length;
    EXPECT_FALSE(lib);
    EXPECT_NE(why.find("type library: "), std::string::npos) << why;
  }
}

// Any single damaged byte is either refused or yields a sound library whose
// binary form is exactly the damaged bytes (the format has one spelling per library).
TEST(TypeLibFormat, EveryDamagedByteIsRefusedOrReadsBackCanonically) {
  const std::vector<std::uint8_t> bytes = serialize(componentLikeLibrary());
  for (std::size_t at = 0; at < bytes.size(); ++at) {
    for (const std::uint8_t mask : {0x01, 0x80, 0xFF}) {
      std::vector<std::uint8_t> damaged = bytes;
      damaged[at] ^= mask;
      const ParseResult result = parse(damaged);
      if (result.library)
        EXPECT_EQ(serialize(*result.library), damaged) << "byte " << at;
      else
        EXPECT_FALSE(result.error.empty());
    }
  }
}

TEST(TypeLibFormat, StructuralDamageIsNamed) {
  Library noTypes = componentLikeLibrary();
  noTypes.types.clear();
  const std::vector<std::uint8_t> bare = serialize(noTypes);
  const std::size_t typeCountAt = bare.size() - 4;
  const std::size_t optionsAt = bare.size() - 5;
  const std::size_t libraryNameAt = 4 + 2 + 16;
  ASSERT_EQ(readU32(bare, libraryNameAt), noTypes.name.size());

  struct Case {
    const char* what;
    std::function<void(std::vector<std::uint8_t>&)> damage;
    const char* expected;
  };
  const Case cases[] = {
      {"magic", [](auto& b) { b[0] = 'X'; }, "wrong magic"},
      {"format version", [](auto& b) { b[4] = 2; }, "unsupported format version 2"},
      {"huge string", [&](auto& b) { b[libraryNameAt + 3] = 0xFF; }, "truncated while reading library name"},
      {"huge type count", [&](auto& b) { b[typeCountAt + 3] = 0x7F; }, "type count 2130706432 exceeds"},
      {"unknown option", [&](auto& b) { b[optionsAt] = 0x4; }, "unknown options 4"},
      {"trailing byte", [](auto& b) { b.push_back(0); }, "unexpected bytes after the type library"},
      {"empty input", [](auto& b) { b.clear(); }, "truncated while reading magic"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    std::vector<std::uint8_t> bytes = bare;
    c.damage(bytes);
    EXPECT_NE(parseError(bytes).find(c.expected), std::string::npos) << parseError(bytes);
  }
}

TEST(TypeLibFormat, UnsoundDescriptionsAreRefusedByParseAndCreate) {
  struct Case {
    const char* what;
    std::function<void(Library&)> spoil;
    const char* expected;
  };
  const Case cases[] = {
      {"unnamed library", [](Library& l) { l.name.clear(); }, "without a name"},
      {"unknown type kind", [](Library& l) { l.types[2].kind = TYPEKIND(7); }, "unknown kind 7"},
      {"duplicate identity", [](Library& l) { l.types[2].guid = l.types[1].guid; }, "same identity as type 1"},
      {"coclass names a foreign type", [](Library& l) { l.types[0].implementedTypes[1].type = IID_IDispatch; },
       "no interface of the library"},
      {"coclass implements a coclass",
       [](Library& l) { l.types[0].implementedTypes[0].type = tests::typelib::kClassId; },
       "no interface of the library"},
      {"functions on a coclass", [](Library& l) { l.types[0].functions.push_back(method(u"x", 1)); },
       "functions or a base on a coclass"},
      {"unknown invoke kind", [](Library& l) { l.types[1].functions[0].invokeKind = INVOKEKIND(3); },
       "unknown invoke kind 3"},
      {"pair with two ids", [](Library& l) { l.types[1].functions[2].memberId = 77; }, "disagree"},
      {"one id, two names", [](Library& l) { l.types[1].functions[2].name = u"Other"; }, "disagree"},
      {"repeated get", [](Library& l) { l.types[1].functions[2].invokeKind = INVOKE_PROPERTYGET; },
       "same member id and invoke kind"},
      {"retval not last",
       [](Library& l) {
         l.types[1].functions[1].parameters.push_back({u"", VT_I2, PARAMFLAG_FIN});
       },
       "retval parameter that is not the last"},
      {"dual without IDispatch", [](Library& l) { l.types[1].baseInterface = IID_IUnknown; }, "dual flag"},
      {"implemented types on an interface",
       [](Library& l) {
         l.types[2].implementedTypes.push_back({tests::typelib::kInterfaceId, 0});
       },
       "implemented types on an interface"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    Library lib = componentLikeLibrary();
    c.spoil(lib);
    const std::string error = parseError(serialize(lib));
    EXPECT_NE(error.find(c.expected), std::string::npos) << error;

    ComPtr<ITypeLib> created;
    std::string why;
    EXPECT_EQ(createTypeLib(lib, created.put(), &why), TYPE_E_INVDATAREAD);
    EXPECT_FALSE(created);
    EXPECT_EQ(why, error);
  }
}
