#include <platform/tools/DispatchCall.h>
#include <platform/automation/HResultText.h>
#include <platform/tools/Utf16Text.h>
#include <dlfcn.h>
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <unistd.h>

#include <array>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>

#include <tests/support/RunProgram.h>
#include <tests/support/TemporaryFolder.h>
#include <tests/automation/TestServerIdentity.h>

namespace {

using namespace platform::automation;
using namespace tests::support;

using platform::tools::DispatchCall;

struct CallText {
  const char* text;
  bool valid;
  DispatchCall::Kind kind;
  DISPID id;
  Variant value;
};

void PrintTo(const CallText& c, std::ostream* out) { *out << testing::PrintToString(std::string(c.text)); }

const CallText callTexts[] = {
    {"get:0x68030005", true, DispatchCall::Kind::Get, 0x68030005, {}},
    {"callget:1745027074", true, DispatchCall::Kind::CallGet, 0x68030002, {}},
    {"call:-552", true, DispatchCall::Kind::Call, -552, {}},
    {"call:0xFFFFFDD8", true, DispatchCall::Kind::Call, -552, {}},
    {"put:0x68030006=/music/a.mp3", true, DispatchCall::Kind::Put, 0x68030006, Variant::fromBstr(u"/music/a.mp3")},
    {"put:1=C:\\music\\a.mp3", true, DispatchCall::Kind::Put, 1, Variant::fromBstr(u"C:\\music\\a.mp3")},
    {"put:1=a=b", true, DispatchCall::Kind::Put, 1, Variant::fromBstr(u"a=b")},
    {"put:1=", true, DispatchCall::Kind::Put, 1, Variant::fromBstr(u"")},
    {"put:1=bstr:i2:5", true, DispatchCall::Kind::Put, 1, Variant::fromBstr(u"i2:5")},
    {"put:1=i2:-32768", true, DispatchCall::Kind::Put, 1, Variant::fromI2(-32768)},
    {"put:1=i4:70000", true, DispatchCall::Kind::Put, 1, Variant::fromI4(70000)},
    {"put:1=ui1:255", true, DispatchCall::Kind::Put, 1, Variant::fromUI1(255)},
    {"put:1=bool:true", true, DispatchCall::Kind::Put, 1, Variant::fromBool(true)},
    {"put:1=bool:false", true, DispatchCall::Kind::Put, 1, Variant::fromBool(false)},
    {"put:1=\"a\\u0000b\\\"\"", true, DispatchCall::Kind::Put, 1, Variant::fromBstr(std::u16string(u"a\0b\"", 4))},
    {"put:1=bstr:\"\\ud800\xC3\xA9\"", true, DispatchCall::Kind::Put, 1, Variant::fromBstr(u"\xD800\u00E9")},
    {"put:1=\xC3\xA9t\xC3\xA9", true, DispatchCall::Kind::Put, 1, Variant::fromBstr(u"\u00E9t\u00E9")},
    // Refused before anything is created.
    {"get:", false, {}, 0, {}},
    {"get:12x", false, {}, 0, {}},
    {"get:0x", false, {}, 0, {}},
    {"get:0x100000000", false, {}, 0, {}},
    {"get:2147483648", false, {}, 0, {}},
    {"get:+1", false, {}, 0, {}},
    {"fetch:1", false, {}, 0, {}},
    {"put:1", false, {}, 0, {}},
    {"put:=5", false, {}, 0, {}},
    {"put:1=i2:32768", false, {}, 0, {}},
    {"put:1=ui1:-1", false, {}, 0, {}},
    {"put:1=i4:1.5", false, {}, 0, {}},
    {"put:1=bool:yes", false, {}, 0, {}},
    {"put:1=\"unclosed", false, {}, 0, {}},
    {"put:1=\"a\"b", false, {}, 0, {}},
    {"put:1=\"\\u12\"", false, {}, 0, {}},
    {"put:1=\xC3", false, {}, 0, {}},
    {"put:1=\xC0\xAF", false, {}, 0, {}},
};

class DispcallCallText : public testing::TestWithParam<CallText> {};

TEST_P(DispcallCallText, ParsesOrRefuses) {
  const CallText& c = GetParam();
  std::string error;
  const auto call = platform::tools::parseDispatchCall(c.text, &error);
  ASSERT_EQ(call.has_value(), c.valid) << c.text;
  if (!call) {
    EXPECT_FALSE(error.empty());
    return;
  }
  EXPECT_EQ(call->kind, c.kind);
  EXPECT_EQ(call->id, c.id);
  EXPECT_TRUE(call->value == c.value) << c.text;
}

INSTANTIATE_TEST_SUITE_P(Table, DispcallCallText, testing::ValuesIn(callTexts));

TEST(Dispcall, FlagsOfEachKind) {
  EXPECT_EQ(platform::tools::invokeFlags(DispatchCall::Kind::Get), DISPATCH_PROPERTYGET);
  EXPECT_EQ(platform::tools::invokeFlags(DispatchCall::Kind::CallGet), DISPATCH_METHOD | DISPATCH_PROPERTYGET);
  EXPECT_EQ(platform::tools::invokeFlags(DispatchCall::Kind::Call), DISPATCH_METHOD);
  EXPECT_EQ(platform::tools::invokeFlags(DispatchCall::Kind::Put), DISPATCH_PROPERTYPUT);
}

TEST(Dispcall, FormatsResultsAndErrors) {
  const std::pair<Variant, std::string> results[] = {
      {Variant::fromBstr(u"Tide"), "VT_BSTR \"Tide\""},
      {Variant::fromBstr(std::u16string(u"q\"\\\n\0\x7F", 6)), "VT_BSTR \"q\\\"\\\\\\n\\u0000\\u007F\""},
      {Variant::fromBstr(u"\u00E9\U0001F3B5"), "VT_BSTR \"\xC3\xA9\xF0\x9F\x8E\xB5\""},
      {Variant::fromBstr(u"\xDC00x"), "VT_BSTR \"\\uDC00x\""},
      {Variant::fromI2(-5), "VT_I2 -5"},
      {Variant::fromUI1(255), "VT_UI1 255"},
      {Variant::fromI4(1610809351), "VT_I4 1610809351"},
      {Variant::fromBool(true), "VT_BOOL true"},
      {Variant::fromBool(false), "VT_BOOL false"},
      {Variant(), "VT_EMPTY"},
  };
  for (const auto& [value, line] : results) EXPECT_EQ(platform::tools::formatResult(value), line);
  EXPECT_EQ(platform::automation::hresultText(DISP_E_MEMBERNOTFOUND), "error 0x80020003");
  EXPECT_EQ(platform::automation::hresultText(REGDB_E_CLASSNOTREG), "error 0x80040154");
}

TEST(Dispcall, PrintedTextReadsBackExactly) {
  const std::u16string texts[] = {std::u16string(u"\0\x01\x1F\"\\/ end", 10), u"\xD800", u"\xDBFF\xDFFF",
                                  u"caf\u00E9 \U0001F3B5", u""};
  for (const auto& text : texts) {
    std::string error;
    const auto back = platform::tools::parseJsonStringLiteral(platform::tools::jsonStringLiteral(text), &error);
    ASSERT_TRUE(back) << error;
    EXPECT_EQ(*back, text);
  }
}

TEST(DispcallProgram, RegistersAndRunsCallsAgainstTheTestServer) {
  RegistryInTemporaryFolder registry;
  const std::string env = "AUTOMATION_REGISTRY='" + registry.file().string() + "' ";

  const RunResult notRegistered = runProgram(env + DISPCALL_PATH " automationTest.Record get:1");
  EXPECT_EQ(notRegistered.exitCode, 2);
  EXPECT_EQ(notRegistered.output, "");

  ASSERT_EQ(runProgram(env + REGSVR_PATH " " TEST_SERVER_PATH).exitCode, 0);
  const RunResult run = runProgram(env + DISPCALL_PATH
                                   " automationTest.Record put:1=i4:1999 get:1 put:0x2='\"Ti\\u0000de\"' callget:2"
                                   " call:5 put:1=i4:70000 put:1=abc get:99 get:0x3 get:4 call:-552 get:1");
  EXPECT_EQ(run.exitCode, 1);
  EXPECT_EQ(run.output,
            "ok\n"
            "VT_I2 1999\n"
            "ok\n"
            "VT_BSTR \"Ti\\u0000de\"\n"
            "VT_I4 5\n"
            "error 0x8002000A\n"
            "error 0x80020005\n"
            "error 0x80020003\n"
            "VT_UI1 255\n"
            "VT_BOOL false\n"
            "VT_EMPTY\n"
            "VT_I2 0\n");

  EXPECT_EQ(runProgram(env + DISPCALL_PATH " automationTest.Record get:1 callget:1").exitCode, 0);
  EXPECT_EQ(runProgram(env + DISPCALL_PATH " automationTest.Record get:one").exitCode, 2);
  ASSERT_EQ(runProgram(env + REGSVR_PATH " -u " TEST_SERVER_PATH).exitCode, 0);
  EXPECT_EQ(runProgram(env + DISPCALL_PATH " automationTest.Record get:1").exitCode, 2);
  EXPECT_NE(runProgram(env + REGSVR_PATH " " + registry.folder().string() + "/missing.so").exitCode, 0);
}

// A registry file that regsvr cannot use; each case makes one in a fresh folder and
// returns its path.
struct BrokenRegistry {
  const char* name;
  std::function<std::filesystem::path(const std::filesystem::path& folder)> make;
  const char* afterPath;  // what the message says right after the file's path
  const char* cause;
  bool onlyWithoutRoot;  // permissions do not hold root back
};

void PrintTo(const BrokenRegistry& c, std::ostream* out) { *out << c.name; }

const BrokenRegistry brokenRegistries[] = {
    {"Corrupt",
     [](const std::filesystem::path& folder) {
       std::ofstream(folder / "registry") << "; kept by hand\n[CLSID]\n\"ThreadingModel\" Apartment\n";
       return folder / "registry";
     },
     ":3: ", "expected '=' after the value name", false},
    {"AFolder",
     [](const std::filesystem::path& folder) {
       std::filesystem::create_directory(folder / "registry");
       return folder / "registry";
     },
     ": ", "Is a directory", false},
    {"BelowAFile",
     [](const std::filesystem::path& folder) {
       std::ofstream(folder / "plain") << "x";
       return folder / "plain" / "registry";
     },
     ": ", "Not a directory", false},
    {"InAFolderWithoutWritePermission",
     [](const std::filesystem::path& folder) {
       std::filesystem::create_directory(folder / "locked");
       std::filesystem::permissions(folder / "locked", std::filesystem::perms::owner_write,
                                    std::filesystem::perm_options::remove);
       return folder / "locked" / "registry";
     },
     ": ", "Permission denied", true},
};

class RegsvrProgram : public testing::TestWithParam<BrokenRegistry> {};

TEST_P(RegsvrProgram, NamesTheRegistryFileAndTheCauseAndLeavesTheFileAlone) {
  const BrokenRegistry& c = GetParam();
  if (c.onlyWithoutRoot && ::geteuid() == 0) GTEST_SKIP() << "root may write anywhere";
  TemporaryFolder folder;
  const std::filesystem::path registry = c.make(folder.path());
  std::error_code ignored;
  const auto before = std::filesystem::last_write_time(registry, ignored);
  const std::string env = "AUTOMATION_REGISTRY='" + registry.string() + "' ";
  for (const char* option : {" ", " -u "}) {
    const RunResult run = runProgram(env + REGSVR_PATH + option + TEST_SERVER_PATH, true);
    EXPECT_EQ(run.exitCode, 1) << option;
    EXPECT_NE(run.output.find(registry.string() + c.afterPath), std::string::npos) << run.output;
    EXPECT_NE(run.output.find(c.cause), std::string::npos) << run.output;
    EXPECT_NE(run.output.find("(error 0x8004015"), std::string::npos) << run.output;
  }
  EXPECT_EQ(std::filesystem::last_write_time(registry, ignored), before);
  std::filesystem::permissions(folder.path() / "locked", std::filesystem::perms::owner_all, ignored);
}

INSTANTIATE_TEST_SUITE_P(Table, RegsvrProgram, testing::ValuesIn(brokenRegistries),
                         [](const testing::TestParamInfo<BrokenRegistry>& info) { return info.param.name; });

}  // namespace

namespace {

TEST(ServerLibrary, ExportsOnlyTheFourEntryPoints) {
  const RunResult symbols = runProgram("nm -D --defined-only " TEST_SERVER_PATH " | awk '{print $3}' | sort");
  ASSERT_EQ(symbols.exitCode, 0);
  EXPECT_EQ(symbols.output, "DllCanUnloadNow\nDllGetClassObject\nDllRegisterServer\nDllUnregisterServer\n");
}

}  // namespace
