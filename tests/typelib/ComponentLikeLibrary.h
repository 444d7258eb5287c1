#pragma once
#include <platform/typelib/TypeLibModel.h>

namespace tests::typelib {

// Shaped like the tag component's library: a control coclass, a hidden dual
// interface of sixteen members with get/put pairs, and an empty source dispinterface.
platform::typelib::Library componentLikeLibrary();

constexpr platform::automation::GUID kLibraryId{0x11111111, 0x2222, 0x3333, {1, 2, 3, 4, 5, 6, 7, 8}};
constexpr platform::automation::GUID kClassId{0x11111111, 0x2222, 0x3333, {1, 2, 3, 4, 5, 6, 7, 9}};
constexpr platform::automation::GUID kInterfaceId{0x11111111, 0x2222, 0x3333, {1, 2, 3, 4, 5, 6, 7, 10}};
constexpr platform::automation::GUID kEventsId{0x11111111, 0x2222, 0x3333, {1, 2, 3, 4, 5, 6, 7, 11}};

}  // namespace tests::typelib
