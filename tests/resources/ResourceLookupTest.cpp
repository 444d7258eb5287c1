#include <dlfcn.h>
#include <gtest/gtest.h>
#include <platform/resources/ResourceLibrary.h>

#include <cstdio>
#include <memory>
#include <optional>
#include <set>
#include <string>

#include <tests/resources/TestFiles.h>

using namespace platform::resources;
using tests::resources::Bytes;
using tests::resources::readFile;

namespace {

Bytes asBytes(std::string_view text) { return Bytes(text.begin(), text.end()); }

ResourceLibrary openSample() {
  auto library = ResourceLibrary::open(SAMPLE_LIBRARY);
  if (!library.status) throw std::runtime_error(library.status.reason());
  return library.value;
}

struct Found {
  ResourceId type;
  ResourceId name;
  Bytes content;
};

TEST(ResourceLookup, FindsEveryDeclaredEntryByNumberOrTextInAnyLetterCase) {
  const Found cases[] = {
      {RT_BITMAP, 30000, readFile(LYREBOX_TOOLBOX_BITMAP)},
      {RT_VERSION, 1, readFile(LYREBOX_VERSION_BLOCK)},
      {"TYPELIB", 1, readFile(SAMPLE_TYPE_LIBRARY)},
      {"typelib", 1, readFile(SAMPLE_TYPE_LIBRARY)},
      {"_IID_SAMPLE", 1, asBytes("0123456789abcdefghij")},
      {"_iid_sample", "Second", asBytes("named type, named entry\n")},
      {"EMPTY", 5, {}},
  };
  for (const Found& c : cases) {
    if (!c.type.matches("EMPTY")) {
      ASSERT_FALSE(c.content.empty()) << "expected content missing";
    }
  }
  const ResourceLibrary library = openSample();
  for (const Found& c : cases) {
    SCOPED_TRACE(c.type.describe() + " " + c.name.describe());
    const auto bytes = library.find(c.type, c.name);
    ASSERT_TRUE(bytes.has_value());
    EXPECT_EQ(Bytes(bytes->begin(), bytes->end()), c.content);
  }
  EXPECT_EQ(library.table().entries().size(), 6u);
}

TEST(ResourceLookup, NumbersAndTextsNeverStandInForEachOther) {
  const std::pair<ResourceId, ResourceId> absent[] = {
      {RT_BITMAP, 30001},  // no such name
      {RT_ICON, 30000},    // name exists under another type
      {"BITMAP", 30000},   // a text type is not the numbered RT_BITMAP
      {"2", 30000},        // nor is the text "2"
      {"TYPELIB", "1"},    // a text name is not the number 1
      {"TYPELI", 1},       // texts match whole
      {"_IID_SAMPLE", "SECON"},
  };
  const ResourceLibrary library = openSample();
  for (const auto& [type, name] : absent)
    EXPECT_FALSE(library.find(type, name).has_value()) << type.describe() << " " << name.describe();
}

// Read from the file, as a resource reader reads it: the library is never
// loaded, so none of its code runs.
TEST(ResourceLookup, ReadsTheFileWithoutLoadingTheLibrary) {
  const ResourceLibrary library = openSample();
  EXPECT_TRUE(library.find(RT_VERSION, 1).has_value());
  void* loaded = dlopen(SAMPLE_LIBRARY, RTLD_NOW | RTLD_NOLOAD);
  EXPECT_EQ(loaded, nullptr);
  if (loaded) dlclose(loaded);
}

TEST(ResourceLookup, FailuresNameTheLibraryAndSayWhy) {
  const std::filesystem::path missing = std::filesystem::temp_directory_path() / "no-such-library-here.ocx";
  struct Case {
    std::filesystem::path path;
    std::string alsoMentions;
  } cases[] = {
      {missing, "No such file"},
      {SAMPLE_TYPE_LIBRARY, "TypeLibrary.txt"},  // a file, but not a library
      {RESOURCE_LESS_LIBRARY, kSectionName},
      // A bare name is looked for in the current folder, not along the
      // loader's search path, where a library of that name does exist.
      {"libc.so.6", "libc.so.6"},
  };
  for (const Case& c : cases) {
    auto library = ResourceLibrary::open(c.path);
    ASSERT_FALSE(library.status) << c.path;
    EXPECT_NE(library.status.reason().find("'" + c.path.string() + "'"), std::string::npos) << library.status.reason();
    EXPECT_NE(library.status.reason().find(c.alsoMentions), std::string::npos) << library.status.reason();
  }
}

TEST(ResourceLookup, TheGeneratedTableAddsNoExport) {
  std::unique_ptr<FILE, int (*)(FILE*)> nm(popen("nm -D --defined-only '" SAMPLE_LIBRARY "'", "r"), pclose);
  ASSERT_NE(nm, nullptr);
  std::set<std::string> exported;
  char line[512];
  while (fgets(line, sizeof line, nm.get())) {
    std::string text(line);
    exported.insert(text.substr(text.find_last_of(' ') + 1, text.find_last_not_of('\n') - text.find_last_of(' ')));
  }
  EXPECT_EQ(exported, std::set<std::string>{});
}

TEST(ResourceId, DeclarationsSpellClassicTypesNumbersAndTexts) {
  const std::pair<const char*, std::optional<ResourceId>> cases[] = {
      {"RT_BITMAP", ResourceId(2)},
      {"RT_ICON", ResourceId(3)},
      {"RT_GROUP_ICON", ResourceId(14)},
      {"RT_VERSION", ResourceId(16)},
      {"30000", ResourceId(30000)},
      {"#30000", ResourceId(30000)},
      {"65535", ResourceId(65535)},
      {"TYPELIB", ResourceId("TYPELIB")},
      {"_IID_LYREBOX", ResourceId("_IID_LYREBOX")},
      {"RT_CURSOR", std::nullopt},
      {"0", std::nullopt},
      {"65536", std::nullopt},
      {"", std::nullopt},
      {"#", std::nullopt},
      {"#TYPELIB", std::nullopt},
      {"12ab", std::nullopt},
      {"two words", std::nullopt},
      {"quo\"te", std::nullopt},
      {"back\\slash", std::nullopt},
  };
  for (const auto& [token, expected] : cases) {
    const auto id = ResourceId::fromDeclaration(token);
    ASSERT_EQ(id.has_value(), expected.has_value()) << token;
    if (id) {
      EXPECT_TRUE(id->matches(*expected)) << token;
      EXPECT_EQ(id->isNumber(), expected->isNumber()) << token;
    }
  }
}

}  // namespace
