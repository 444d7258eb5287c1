#pragma once
// The test suites' one temporary folder, and the small file helpers that go with it.
#include <fcntl.h>
#include <stdlib.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <stdexcept>
#include <string>

namespace tests::support {

// A fresh folder for one test, removed with everything in it afterwards, even when
// the test took its own permissions away.
class TemporaryFolder {
 public:
  explicit TemporaryFolder(const std::filesystem::path& parent = std::filesystem::temp_directory_path()) {
    std::string pattern = (parent / "mervalis-test-XXXXXX").string();
    if (::mkdtemp(pattern.data()) == nullptr)
      throw std::runtime_error("cannot create a temporary folder in " + parent.string());
    path_ = pattern;
  }
  TemporaryFolder(const TemporaryFolder&) = delete;
  TemporaryFolder& operator=(const TemporaryFolder&) = delete;
  ~TemporaryFolder() {
    std::error_code ignored;
    std::filesystem::permissions(path_, std::filesystem::perms::owner_all, std::filesystem::perm_options::add, ignored);
    std::filesystem::remove_all(path_, ignored);
  }

  const std::filesystem::path& path() const { return path_; }
  std::filesystem::path operator/(const std::filesystem::path& name) const { return path_ / name; }

 private:
  std::filesystem::path path_;
};

// Points the platform's registry at a file in a temporary folder while it lives.
class RegistryInTemporaryFolder {
 public:
  RegistryInTemporaryFolder() : file_(folder_ / "registry") { ::setenv("AUTOMATION_REGISTRY", file_.c_str(), 1); }
  RegistryInTemporaryFolder(const RegistryInTemporaryFolder&) = delete;
  RegistryInTemporaryFolder& operator=(const RegistryInTemporaryFolder&) = delete;
  ~RegistryInTemporaryFolder() { ::unsetenv("AUTOMATION_REGISTRY"); }
  const std::filesystem::path& file() const { return file_; }
  const std::filesystem::path& folder() const { return folder_.path(); }

 private:
  TemporaryFolder folder_;
  std::filesystem::path file_;
};

// Whether the folder's file system can hold an unnamed file, which a copy between
// volumes grows as; elsewhere it grows under a hidden name a kill can leave.
inline bool keepsUnnamedFiles(const std::filesystem::path& folder) {
  const int fd = ::open(folder.c_str(), O_TMPFILE | O_WRONLY | O_CLOEXEC, 0600);
  if (fd < 0) return false;
  ::close(fd);
  return true;
}

inline void writeFile(const std::filesystem::path& path, const std::string& content) {
  std::ofstream out(path, std::ios::binary);
  out << content;
  if (!out) throw std::runtime_error("cannot write " + path.string());
}

// The content of an ordinary file; empty for anything else.
inline std::string readFile(const std::filesystem::path& path) {
  if (!std::filesystem::is_regular_file(path)) return {};
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

}  // namespace tests::support
