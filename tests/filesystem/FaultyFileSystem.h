#pragma once

#include "filesystem/FileSystem.h"

#include <functional>
#include <string>

namespace testing_support {

// Passes every call to a real file system, except those a test tells it to fail,
// so fault tests still check real files afterwards. A failing call touches nothing.
class FaultyFileSystem : public platform::filesystem::FileSystem {
 public:
  using Status = platform::filesystem::Status;
  using Listing = platform::filesystem::Listing;

  explicit FaultyFileSystem(platform::filesystem::FileSystem& real) : real_(real) {}

  std::function<bool(const std::string& folder)> failListing;
  std::function<bool(const std::string& folder)> failCreateFolder;
  std::function<bool(const std::string& source, const std::string& target)> failMove;

  Listing listFiles(const std::string& folder) override {
    return failListing && failListing(folder) ? refusedListing(folder) : real_.listFiles(folder);
  }
  Listing listSubfolders(const std::string& folder) override {
    return failListing && failListing(folder) ? refusedListing(folder) : real_.listSubfolders(folder);
  }
  bool folderExists(const std::string& path) override { return real_.folderExists(path); }
  bool fileExists(const std::string& path) override { return real_.fileExists(path); }
  platform::filesystem::Result<platform::filesystem::FileIdentity> identify(const std::string& path) override {
    return real_.identify(path);
  }
  Status checkReadable(const std::string& path) override { return real_.checkReadable(path); }
  Status createFolder(const std::string& path) override {
    if (failCreateFolder && failCreateFolder(path))
      return Status::failure("create the folder \"" + path + "\"", "injected failure");
    return real_.createFolder(path);
  }
  Status removeEmptyFolder(const std::string& path) override { return real_.removeEmptyFolder(path); }
  Status moveFile(const std::string& source, const std::string& target) override {
    if (failMove && failMove(source, target))
      return Status::failure("move \"" + source + "\" to \"" + target + "\"", "injected failure");
    return real_.moveFile(source, target);
  }
  Status removeIdenticalCopy(const std::string& copy, const std::string& original) override {
    return real_.removeIdenticalCopy(copy, original);
  }

 private:
  static Listing refusedListing(const std::string& folder) {
    return {Status::failure("list the folder \"" + folder + "\"", "injected failure"), {}};
  }

  platform::filesystem::FileSystem& real_;
};

}  // namespace testing_support
