#pragma once

#include <platform/database/Status.h>

#include <sqlite3.h>

#include <string>

namespace platform::database {

// A failure of the attempt, its cause worded for the user where the engine's
// own text would puzzle ("database is locked" -> another program holds it);
// busy when another program's lock was the cause.
status::Status sqliteFailure(const std::string& attempt, sqlite3* db, int resultCode);

bool isLocked(int resultCode);

}  // namespace platform::database
