#pragma once

#include <platform/database/Database.h>

namespace platform::database {

class SqliteEngine : public Engine {
public:
    Result<std::unique_ptr<Connection>> open(const std::string& path,
                                             const OpenOptions& options = {}) override;
    Result<std::unique_ptr<Connection>> openToLook(const std::string& path) override;
};

}  // namespace platform::database
