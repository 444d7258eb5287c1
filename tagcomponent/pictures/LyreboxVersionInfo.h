#pragma once
// What the component's version block says about the library.
#include <platform/resources/VersionInfo.h>

namespace pictures {

resources::VersionInfo lyreboxVersionInfo();

}  // namespace pictures
