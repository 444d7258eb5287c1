#pragma once

#include <platform/status/Status.h>

namespace platform::database {

using platform::Result;
using platform::Status;

}  // namespace platform::database
