#pragma once
#include <platform/typelib/TypeLibModel.h>

namespace tagcomponent {

// The component's type library as published: prjLyrebox 1.0 with the control
// class, its dual default interface and its member-less event interface. The
// build serialises it into the library's TYPELIB resource.
platform::typelib::Library lyreboxTypeLibrary();

}  // namespace tagcomponent
