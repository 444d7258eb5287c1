#include <platform/automation/ComPtr.h>
#include <platform/automation/Dispatch.h>
#include <platform/automation/ObjectCreation.h>
#include <platform/automation/RegistryFile.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <string>

#include <tests/support/RunProgram.h>
#include <tests/support/TemporaryFolder.h>
#include <tests/automation/TestServerIdentity.h>

namespace {

using namespace platform::automation;
using namespace tests::automation;
using namespace tests::support;

namespace fs = std::filesystem;

// Sets an environment variable while it lives and puts back what was there.
class EnvironmentSetting {
 public:
  EnvironmentSetting(const char* name, const char* value) : name_(name) {
    if (const char* old = std::getenv(name)) old_ = old;
    if (value)
      ::setenv(name, value, 1);
    else
      ::unsetenv(name);
  }
  EnvironmentSetting(const EnvironmentSetting&) = delete;
  EnvironmentSetting& operator=(const EnvironmentSetting&) = delete;
  ~EnvironmentSetting() {
    if (old_)
      ::setenv(name_, old_->c_str(), 1);
    else
      ::unsetenv(name_);
  }

 private:
  const char* name_;
  std::optional<std::string> old_;
};

// A user's registry and a machine's registry in a temporary folder, reached through
// the XDG variables as the installed programs reach them, with no override.
class RegistryScopes : public testing::Test {
 protected:
  fs::path userFile() const { return folder_.path() / "data" / "mervalis" / "component-registry"; }
  fs::path machineFile() const { return folder_.path() / "config" / "mervalis" / "component-registry"; }

  // The same environment for a program run through the shell.
  std::string programEnvironment() const {
    return "env -u AUTOMATION_REGISTRY XDG_DATA_HOME='" + (folder_.path() / "data").string() + "' XDG_CONFIG_DIRS='" +
           (folder_.path() / "config").string() + "' ";
  }

  static void registerRecord(const fs::path& file, const std::string& serverPath) {
    ASSERT_TRUE(
        RegistryFile(file)
            .update([&](RegistryTree& tree) {
              tree.createKey(std::string(kProgId) + "\\CLSID")->setValue("", toRegistryText(CLSID_Record));
              tree.createKey("CLSID\\" + toRegistryText(CLSID_Record) + "\\InprocServer32")->setValue("", serverPath);
              return S_OK;
            })
            .ok());
  }

  static bool holdsRecord(const fs::path& file) {
    RegistryTree tree;
    return RegistryFile(file).read(tree).ok() && tree.findKey(kProgId) != nullptr;
  }

  RunResult regsvr(const std::string& options) const {
    return runProgram(programEnvironment() + REGSVR_PATH " " + options + " " TEST_SERVER_PATH, true);
  }

  int dispcallExitCode(const std::string& environment = {}) const {
    return runProgram(programEnvironment() + environment + DISPCALL_PATH " automationTest.Record get:1").exitCode;
  }

  TemporaryFolder folder_;
  EnvironmentSetting noOverride_{"AUTOMATION_REGISTRY", nullptr};
  EnvironmentSetting dataHome_{"XDG_DATA_HOME", (folder_.path() / "data").c_str()};
  EnvironmentSetting configFolders_{"XDG_CONFIG_DIRS", (folder_.path() / "config").c_str()};
};

TEST_F(RegistryScopes, LookupsReadTheUsersFileFirstThenTheMachines) {
  registerRecord(machineFile(), TEST_SERVER_PATH);
  ComPtr<IDispatch> object;
  std::string why;
  EXPECT_EQ(createInstanceByProgId(kProgId, object, &why), S_OK) << why;
  object = nullptr;

  // The user's own entry wins, even when it names a library that is not there.
  const std::string missing = (folder_.path() / "user-copy.ocx").string();
  registerRecord(userFile(), missing);
  EXPECT_EQ(createInstanceByProgId(kProgId, object, &why), CO_E_DLLNOTFOUND);
  EXPECT_NE(why.find(missing), std::string::npos) << why;
}

// A copy of regsvr that "nobody" may run: the build folder may lie where only root
// reaches. The tool finds its library beside it.
std::string regsvrForAnyone(const fs::path& folder) {
  const fs::path tools = folder / "tools";
  fs::create_directory(tools);
  const fs::path regsvr(REGSVR_PATH);
  for (const fs::path& file : {regsvr, regsvr.parent_path() / "libplatform_automation.so"})
    fs::copy_file(file, tools / file.filename());
  const auto readAndEnter = fs::perms::owner_all | fs::perms::group_read | fs::perms::group_exec |
                            fs::perms::others_read | fs::perms::others_exec;
  fs::permissions(folder, readAndEnter);
  return (tools / "regsvr").string();
}

TEST_F(RegistryScopes, MachineRegistrationIsRefusedToOrdinaryUsers) {
  // Root runs it as "nobody"; another user runs it as themself.
  const std::string asOrdinaryUser =
      ::geteuid() == 0 ? "setpriv --reuid=65534 --regid=65534 --clear-groups '" + regsvrForAnyone(folder_.path()) + "'"
                       : std::string(REGSVR_PATH);
  for (const char* options : {"--machine", "-u --machine"}) {
    const RunResult run =
        runProgram(programEnvironment() + asOrdinaryUser + " " + options + " " TEST_SERVER_PATH, true);
    EXPECT_EQ(run.exitCode, 1) << options;
    EXPECT_NE(run.output.find("needs root"), std::string::npos) << run.output;
    EXPECT_NE(run.output.find(machineFile().string()), std::string::npos) << run.output;
  }
  EXPECT_FALSE(fs::exists(machineFile()));
}

TEST_F(RegistryScopes, EachScopeUnregistersOnlyWhatItHolds) {
  if (::geteuid() != 0) GTEST_SKIP() << "registering for the machine needs root";
  ASSERT_EQ(regsvr("--machine").exitCode, 0);
  ASSERT_EQ(regsvr("").exitCode, 0);
  EXPECT_TRUE(holdsRecord(userFile()));
  EXPECT_TRUE(holdsRecord(machineFile()));

  ASSERT_EQ(regsvr("-u").exitCode, 0);
  EXPECT_FALSE(holdsRecord(userFile()));
  EXPECT_TRUE(holdsRecord(machineFile()));
  EXPECT_EQ(dispcallExitCode(), 0) << "the machine's registration still serves the user";

  ASSERT_EQ(regsvr("--machine").exitCode, 0);
  ASSERT_EQ(regsvr("").exitCode, 0);
  ASSERT_EQ(regsvr("--machine -u").exitCode, 0);
  EXPECT_TRUE(holdsRecord(userFile()));
  EXPECT_FALSE(holdsRecord(machineFile()));
  EXPECT_EQ(dispcallExitCode(), 0);
}

TEST_F(RegistryScopes, TheTestVariableOverridesBothScopes) {
  registerRecord(machineFile(), TEST_SERVER_PATH);
  const fs::path override = folder_.path() / "override";
  const std::string overriding = "AUTOMATION_REGISTRY='" + override.string() + "' ";
  EXPECT_EQ(dispcallExitCode(), 0);
  EXPECT_EQ(dispcallExitCode(overriding), 2) << "the machine's file is not read";

  if (::geteuid() != 0) GTEST_SKIP() << "registering for the machine needs root";
  ASSERT_EQ(runProgram(programEnvironment() + overriding + REGSVR_PATH " -u --machine " TEST_SERVER_PATH).exitCode, 0);
  EXPECT_TRUE(holdsRecord(machineFile()));
  ASSERT_EQ(runProgram(programEnvironment() + overriding + REGSVR_PATH " --machine " TEST_SERVER_PATH).exitCode, 0);
  EXPECT_TRUE(holdsRecord(override));
  EXPECT_EQ(dispcallExitCode(overriding), 0);
}

}  // namespace
