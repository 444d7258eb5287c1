#pragma once
#include <string>
#include <vector>

#include "Status.h"

namespace mervalis {

// Provisional seams of the import run onto the file system and the catalogue.
class RunFiles {
 public:
  virtual ~RunFiles() = default;
  virtual Status listFiles(const std::string& folder, std::vector<std::string>& names) = 0;
  virtual Status listSubfolders(const std::string& folder, std::vector<std::string>& names) = 0;
  virtual bool folderExists(const std::string& path) = 0;
  virtual Status createFolder(const std::string& path) = 0;
  virtual Status moveFile(const std::string& source, const std::string& target) = 0;
};

class RunCatalogue {
 public:
  virtual ~RunCatalogue() = default;
  virtual Status open(const std::string& path) = 0;
  virtual Status begin() = 0;
  virtual Status insert(const std::string& track, const std::string& artist, const std::string& album,
                        const std::string& fileName) = 0;
  virtual Status commit() = 0;
  virtual Status rollback() = 0;
  virtual void close() = 0;
};

}  // namespace mervalis
