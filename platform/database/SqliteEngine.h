#pragma once

#include <platform/database/Database.h>

namespace platform::database {

class SqliteEngine : public Engine {
 public:
  status::Result<std::unique_ptr<Connection>> open(const std::string& path, const OpenOptions& options = {}) override;
  status::Result<std::unique_ptr<Connection>> openToLook(const std::string& path) override;
};

}  // namespace platform::database
