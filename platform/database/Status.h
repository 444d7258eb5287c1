#pragma once

#include <platform/status/Status.h>

namespace platform::database {

using status::Result;
using status::Status;

}  // namespace platform::database
