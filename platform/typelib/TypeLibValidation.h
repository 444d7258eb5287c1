#pragma once
#include <optional>
#include <string>

#include <platform/typelib/TypeLibModel.h>

namespace platform::typelib {

// What makes a description unusable by ITypeLib/ITypeInfo (unknown kinds, a coclass
// naming a type the library lacks, ambiguous members...), or nothing when it is sound.
std::optional<std::string> findModelError(const Library& library);

}  // namespace platform::typelib
