#pragma once
#include <cstdint>

namespace platform::automation {

// Variant and type-description kinds, with the classic numbers so that type
// descriptions and test output read the same as on the original platform.
using VARTYPE = std::uint16_t;
constexpr VARTYPE VT_EMPTY = 0;
constexpr VARTYPE VT_NULL = 1;
constexpr VARTYPE VT_I2 = 2;
constexpr VARTYPE VT_I4 = 3;
constexpr VARTYPE VT_BSTR = 8;
constexpr VARTYPE VT_DISPATCH = 9;
constexpr VARTYPE VT_ERROR = 10;
constexpr VARTYPE VT_BOOL = 11;
constexpr VARTYPE VT_VARIANT = 12;
constexpr VARTYPE VT_UNKNOWN = 13;
constexpr VARTYPE VT_UI1 = 17;
constexpr VARTYPE VT_VOID = 24;
constexpr VARTYPE VT_HRESULT = 25;
constexpr VARTYPE VT_PTR = 26;
constexpr VARTYPE VT_USERDEFINED = 29;

using DISPID = std::int32_t;
using LCID = std::uint32_t;

}  // namespace platform::automation
