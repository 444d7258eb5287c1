#pragma once
// What the component's version block says about the library.
#include <platform/resources/VersionInfo.h>

namespace tagcomponent::pictures {

platform::resources::VersionInfo lyreboxVersionInfo();

}  // namespace tagcomponent::pictures
