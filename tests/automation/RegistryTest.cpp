#include <platform/automation/RegistryFile.h>
#include <platform/automation/RegistryText.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <fstream>
#include <sstream>
#include <thread>

#include <tests/support/TemporaryFolder.h>

namespace {

using tests::support::RegistryInTemporaryFolder;

using namespace platform::automation;

const std::string kServerKey = "CLSID\\{CFF571BF-AB85-4320-A064-6CE66A128D5F}\\InprocServer32";

std::string fileText(const std::filesystem::path& file) {
  std::ifstream in(file, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

void writeFile(const std::filesystem::path& file, const std::string& text) {
  std::ofstream(file, std::ios::binary) << text;
}

TEST(RegistryTree, FindsKeysAndValuesWithoutRegardToCase) {
  RegistryTree tree;
  ASSERT_NE(tree.createKey(kServerKey), nullptr);
  tree.findKey(kServerKey)->setValue("ThreadingModel", "Apartment");
  ASSERT_NE(tree.findKey("clsid\\{cff571bf-ab85-4320-a064-6ce66a128d5f}\\inprocserver32"), nullptr);
  EXPECT_EQ(tree.value("CLSID\\{CFF571BF-AB85-4320-A064-6CE66A128D5F}\\INPROCSERVER32", "threadingmodel"), "Apartment");
  // Opening a key under another spelling reaches the same key; it keeps its first name.
  tree.createKey("Clsid")->setValue("Tag", "x");
  ASSERT_EQ(tree.subkeys().size(), 1u);
  EXPECT_EQ(tree.subkeys()[0].name(), "CLSID");
  tree.findKey("CLSID")->setValue("TAG", "y");
  EXPECT_EQ(tree.findKey("CLSID")->values().size(), 1u);
  EXPECT_EQ(tree.value("CLSID", "tag"), "y");
}

TEST(RegistryTree, DeletesValuesAndWholeKeyTrees) {
  RegistryTree tree;
  tree.createKey(kServerKey)->setValue("", "/lib/a.so");
  tree.createKey("CLSID\\{other}")->setValue("", "kept");
  EXPECT_TRUE(tree.findKey(kServerKey)->deleteValue(""));
  EXPECT_FALSE(tree.findKey(kServerKey)->deleteValue(""));
  EXPECT_TRUE(tree.deleteKeyTree("clsid\\{CFF571BF-AB85-4320-A064-6CE66A128D5F}"));
  EXPECT_EQ(tree.findKey(kServerKey), nullptr);
  EXPECT_FALSE(tree.deleteKeyTree("CLSID\\{CFF571BF-AB85-4320-A064-6CE66A128D5F}"));
  EXPECT_EQ(tree.value("CLSID\\{other}", ""), "kept");
}

TEST(RegistryTree, RefusesKeyPathsThatCannotBeWrittenBack) {
  RegistryTree tree;
  for (const char* path : {"", "a\\\\b", "a\\", "\\a", "a\nb", "a\x01"}) {
    EXPECT_EQ(tree.createKey(path), nullptr) << path;
  }
  EXPECT_TRUE(tree.empty());
  EXPECT_FALSE(tree.createKey("k")->setValue("line\nbreak", "v"));
}

TEST(RegistryText, RoundTripsEveryNameAndValue) {
  RegistryTree tree;
  RegistryKey* key = tree.createKey("TypeLib\\{419F3D6A-0823-492A-99B0-7138061E831E}\\1.0\\0\\linux");
  key->setValue("", "/opt/mervalis/Lyrebox.ocx");
  key->setValue("quote\"back\\slash", "line\nbreak\ttab\x01 and \"quotes\" and ] and UTF-8 \xC3\xA9");
  tree.createKey("Empty key with spaces ] and =");
  tree.createKey("prjLyrebox.Lyrebox\\CLSID")->setValue("", "{CFF571BF-AB85-4320-A064-6CE66A128D5F}");

  const std::string text = formatRegistry(tree);
  RegistryTree back;
  const auto error = parseRegistry(text, back);
  ASSERT_FALSE(error) << error->line << ": " << error->what;
  EXPECT_EQ(back, tree) << text;
  EXPECT_NE(text.find("[prjLyrebox.Lyrebox\\CLSID]\n@=\"{CFF571BF-AB85-4320-A064-6CE66A128D5F}\""), std::string::npos)
      << "the file must stay readable: " << text;
}

struct MalformedText {
  std::string text;
  std::size_t line;
};

void PrintTo(const MalformedText& m, std::ostream* out) { *out << testing::PrintToString(m.text); }

class MalformedRegistry : public testing::TestWithParam<MalformedText> {};

TEST_P(MalformedRegistry, NamesTheFileAndLine) {
  RegistryInTemporaryFolder registry;
  writeFile(registry.file(), GetParam().text);
  RegistryTree tree;
  const RegistryStatus status = RegistryFile(registry.file()).read(tree);
  EXPECT_EQ(status.hr, REGDB_E_READREGDB);
  const std::string where = registry.file().string() + ":" + std::to_string(GetParam().line) + ": ";
  EXPECT_EQ(status.message.rfind(where, 0), 0u) << status.message;
  EXPECT_TRUE(tree.empty());
}

INSTANTIATE_TEST_SUITE_P(
    Table, MalformedRegistry,
    testing::Values(MalformedText{"\"x\"=\"value before any key\"\n", 1}, MalformedText{"; fine\n[a]\n[b\n", 3},
                    MalformedText{"[a]\n@=\"unclosed\n", 2}, MalformedText{"[a]\n@\"missing equals\"\n", 2},
                    MalformedText{"[a]\n\n\n\"n\"=\"v\" trailing\n", 4},
                    MalformedText{"[a]\n@=\"bad \\q escape\"\n", 2}, MalformedText{"[a]\n@=\"bad \\x4 escape\"\n", 2},
                    MalformedText{"[a\\\\b]\n", 1}, MalformedText{"[]\n", 1},
                    MalformedText{"[a]\n@=\"raw\x01control\"\n", 2}, MalformedText{"[a]\r\n@=unquoted\r\n", 2},
                    MalformedText{std::string("[a]\n@=\"nul\0\"\n", 13), 2}));

TEST(RegistryFile, MissingFileReadsAsEmptyRegistry) {
  RegistryInTemporaryFolder registry;
  RegistryTree tree;
  tree.createKey("left over");
  EXPECT_TRUE(RegistryFile(registry.file()).read(tree).ok());
  EXPECT_TRUE(tree.empty());
}

TEST(RegistryFile, UpdateWritesAndAbandonedUpdateWritesNothing) {
  RegistryInTemporaryFolder registry;
  ASSERT_TRUE(updateRegistry([](RegistryTree& tree) {
                tree.createKey(kServerKey)->setValue("ThreadingModel", "Apartment");
                return S_OK;
              }).ok());
  const std::string written = fileText(registry.file());

  const RegistryStatus abandoned = updateRegistry([](RegistryTree& tree) {
    tree.deleteKeyTree("CLSID");
    return E_INVALIDARG;
  });
  EXPECT_EQ(abandoned.hr, E_INVALIDARG);
  EXPECT_EQ(fileText(registry.file()), written);

  RegistryTree tree;
  ASSERT_TRUE(readRegistry(tree).ok());
  EXPECT_EQ(tree.value(kServerKey, "ThreadingModel"), "Apartment");
}

TEST(RegistryFile, NeverOverwritesAMalformedFile) {
  RegistryInTemporaryFolder registry;
  const std::string damaged = "[CLSID]\n@=\"someone's hand edit gone wrong\n";
  writeFile(registry.file(), damaged);
  bool changeRan = false;
  const RegistryStatus status = updateRegistry([&](RegistryTree&) {
    changeRan = true;
    return S_OK;
  });
  EXPECT_EQ(status.hr, REGDB_E_READREGDB);
  EXPECT_NE(status.message.find(registry.file().string() + ":2:"), std::string::npos) << status.message;
  EXPECT_FALSE(changeRan);
  EXPECT_EQ(fileText(registry.file()), damaged);
}

TEST(RegistryFile, EnvironmentVariableChoosesTheFile) {
  RegistryInTemporaryFolder registry;
  EXPECT_EQ(standardRegistryPath(), registry.file());
  ::unsetenv("AUTOMATION_REGISTRY");
  const char* oldData = std::getenv("XDG_DATA_HOME");
  const std::string kept = oldData ? oldData : "";
  ::setenv("XDG_DATA_HOME", registry.folder().c_str(), 1);
  EXPECT_EQ(standardRegistryPath(), registry.folder() / "mervalis" / "component-registry");
  if (oldData)
    ::setenv("XDG_DATA_HOME", kept.c_str(), 1);
  else
    ::unsetenv("XDG_DATA_HOME");
}

// Child processes: run `work`, never return into the test runner.
template <class Work>
pid_t forkChild(Work work) {
  const pid_t pid = ::fork();
  if (pid == 0) {
    ::_exit(work() ? 0 : 1);
  }
  return pid;
}

int waitExitCode(pid_t pid) {
  int status = 0;
  ::waitpid(pid, &status, 0);
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

TEST(RegistryFile, ConcurrentRegistrationsKeepEachOthersEntries) {
  RegistryInTemporaryFolder registry;
  constexpr int kRounds = 40;
  auto registrar = [&](const std::string& who) {
    return [&registry, who] {
      const RegistryFile file(registry.file());
      for (int i = 0; i < kRounds; ++i) {
        const auto status = file.update([&](RegistryTree& tree) {
          tree.createKey(who + "\\" + std::to_string(i))->setValue("", who);
          return S_OK;
        });
        if (!status.ok()) return false;
      }
      return true;
    };
  };
  const pid_t first = forkChild(registrar("first"));
  const pid_t second = forkChild(registrar("second"));
  ASSERT_EQ(waitExitCode(first), 0);
  ASSERT_EQ(waitExitCode(second), 0);

  RegistryTree tree;
  ASSERT_TRUE(RegistryFile(registry.file()).read(tree).ok());
  for (const std::string who : {"first", "second"}) {
    ASSERT_NE(tree.findKey(who), nullptr) << who;
    EXPECT_EQ(tree.findKey(who)->subkeys().size(), static_cast<std::size_t>(kRounds)) << who << " lost entries";
  }
}

// Each transaction writes key N with two values that must agree; a writer killed at
// any point must leave a file that loads and holds whole transactions only.
TEST(RegistryFile, WriterKilledHalfwayLeavesALoadableConsistentRegistry) {
  RegistryInTemporaryFolder registry;
  const std::string padding(4096, 'p');
  for (const int delayMs : {1, 7, 23}) {
    const pid_t writer = forkChild([&] {
      const RegistryFile file(registry.file());
      for (int n = 0;; ++n) {
        file.update([&](RegistryTree& tree) {
          RegistryKey* key = tree.createKey("writes\\" + std::to_string(n));
          key->setValue("first", std::to_string(n));
          key->setValue("padding", padding);
          key->setValue("second", std::to_string(n));
          return S_OK;
        });
      }
      return true;
    });
    std::this_thread::sleep_for(std::chrono::milliseconds(delayMs));
    ::kill(writer, SIGKILL);
    ::waitpid(writer, nullptr, 0);

    RegistryTree tree;
    const RegistryStatus status = RegistryFile(registry.file()).read(tree);
    ASSERT_TRUE(status.ok()) << status.message;
    if (const RegistryKey* writes = tree.findKey("writes")) {
      for (const RegistryKey& key : writes->subkeys()) {
        EXPECT_EQ(key.value("first"), key.value("second")) << key.name();
        EXPECT_EQ(key.value("padding"), padding) << key.name();
      }
    }
    // The dead writer's lock is gone with it: the next registration goes through.
    EXPECT_TRUE(updateRegistry([](RegistryTree& t) {
                  t.createKey("after")->setValue("", "written");
                  return S_OK;
                }).ok());
    ASSERT_TRUE(readRegistry(tree).ok());
    EXPECT_EQ(tree.value("after", ""), "written");
  }
  // Temporary files of killed writers are cleared by the next writer.
  for (const auto& entry : std::filesystem::directory_iterator(registry.folder()))
    EXPECT_EQ(entry.path().filename().string().find(".tmp."), std::string::npos) << entry.path();
}

}  // namespace
