#pragma once
#include <platform/typelib/TypeLibModel.h>

namespace typelib_test {

// Shaped like the tag component's library: a control coclass, a hidden dual
// interface of sixteen members with get/put pairs, and an empty source dispinterface.
typelib::Library componentLikeLibrary();

constexpr automation::GUID kLibraryId{0x11111111, 0x2222, 0x3333, {1, 2, 3, 4, 5, 6, 7, 8}};
constexpr automation::GUID kClassId{0x11111111, 0x2222, 0x3333, {1, 2, 3, 4, 5, 6, 7, 9}};
constexpr automation::GUID kInterfaceId{0x11111111, 0x2222, 0x3333, {1, 2, 3, 4, 5, 6, 7, 10}};
constexpr automation::GUID kEventsId{0x11111111, 0x2222, 0x3333, {1, 2, 3, 4, 5, 6, 7, 11}};

}  // namespace typelib_test
