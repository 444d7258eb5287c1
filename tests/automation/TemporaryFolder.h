#pragma once
#include <cstdlib>
#include <filesystem>
#include <string>

// A fresh folder for one test, removed with everything in it afterwards.
class TemporaryFolder {
 public:
  TemporaryFolder() {
    std::string pattern = (std::filesystem::temp_directory_path() / "automation-test-XXXXXX").string();
    if (!::mkdtemp(pattern.data())) throw std::runtime_error("mkdtemp failed");
    path_ = pattern;
  }
  TemporaryFolder(const TemporaryFolder&) = delete;
  TemporaryFolder& operator=(const TemporaryFolder&) = delete;
  ~TemporaryFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
  }
  const std::filesystem::path& path() const { return path_; }

 private:
  std::filesystem::path path_;
};

// Points the platform's registry at a file in a temporary folder while it lives.
class RegistryInTemporaryFolder {
 public:
  RegistryInTemporaryFolder() : file_(folder_.path() / "registry") {
    ::setenv("AUTOMATION_REGISTRY", file_.c_str(), 1);
  }
  RegistryInTemporaryFolder(const RegistryInTemporaryFolder&) = delete;
  RegistryInTemporaryFolder& operator=(const RegistryInTemporaryFolder&) = delete;
  ~RegistryInTemporaryFolder() { ::unsetenv("AUTOMATION_REGISTRY"); }
  const std::filesystem::path& file() const { return file_; }
  const std::filesystem::path& folder() const { return folder_.path(); }

 private:
  TemporaryFolder folder_;
  std::filesystem::path file_;
};
