#pragma once
#include <cstdint>

#include <platform/automation/VarType.h>

namespace platform::typelib {

// Kinds and flags of type descriptions, with the classic numbers so that a
// description reads the same here as in the tools of the original platform.
enum TYPEKIND : std::uint16_t {
  TKIND_INTERFACE = 3,
  TKIND_DISPATCH = 4,
  TKIND_COCLASS = 5,
};

enum INVOKEKIND : std::uint16_t {
  INVOKE_FUNC = 1,
  INVOKE_PROPERTYGET = 2,
  INVOKE_PROPERTYPUT = 4,
  INVOKE_PROPERTYPUTREF = 8,
};

constexpr std::uint16_t LIBFLAG_FRESTRICTED = 0x1;
constexpr std::uint16_t LIBFLAG_FCONTROL = 0x2;
constexpr std::uint16_t LIBFLAG_FHIDDEN = 0x4;

constexpr std::uint16_t TYPEFLAG_FAPPOBJECT = 0x1;
constexpr std::uint16_t TYPEFLAG_FCANCREATE = 0x2;
constexpr std::uint16_t TYPEFLAG_FLICENSED = 0x4;
constexpr std::uint16_t TYPEFLAG_FPREDECLID = 0x8;
constexpr std::uint16_t TYPEFLAG_FHIDDEN = 0x10;
constexpr std::uint16_t TYPEFLAG_FCONTROL = 0x20;
constexpr std::uint16_t TYPEFLAG_FDUAL = 0x40;
constexpr std::uint16_t TYPEFLAG_FNONEXTENSIBLE = 0x80;
constexpr std::uint16_t TYPEFLAG_FOLEAUTOMATION = 0x100;
constexpr std::uint16_t TYPEFLAG_FRESTRICTED = 0x200;
constexpr std::uint16_t TYPEFLAG_FAGGREGATABLE = 0x400;
constexpr std::uint16_t TYPEFLAG_FREPLACEABLE = 0x800;
constexpr std::uint16_t TYPEFLAG_FDISPATCHABLE = 0x1000;

constexpr std::int32_t IMPLTYPEFLAG_FDEFAULT = 0x1;
constexpr std::int32_t IMPLTYPEFLAG_FSOURCE = 0x2;
constexpr std::int32_t IMPLTYPEFLAG_FRESTRICTED = 0x4;

constexpr std::uint16_t FUNCFLAG_FRESTRICTED = 0x1;
constexpr std::uint16_t FUNCFLAG_FSOURCE = 0x2;
constexpr std::uint16_t FUNCFLAG_FBINDABLE = 0x4;
constexpr std::uint16_t FUNCFLAG_FREQUESTEDIT = 0x8;
constexpr std::uint16_t FUNCFLAG_FDISPLAYBIND = 0x10;
constexpr std::uint16_t FUNCFLAG_FDEFAULTBIND = 0x20;
constexpr std::uint16_t FUNCFLAG_FHIDDEN = 0x40;

constexpr std::uint16_t PARAMFLAG_NONE = 0x0;
constexpr std::uint16_t PARAMFLAG_FIN = 0x1;
constexpr std::uint16_t PARAMFLAG_FOUT = 0x2;
constexpr std::uint16_t PARAMFLAG_FLCID = 0x4;
constexpr std::uint16_t PARAMFLAG_FRETVAL = 0x8;
constexpr std::uint16_t PARAMFLAG_FOPT = 0x10;

// Stands for "the type itself" in GetDocumentation, and marks a name that
// GetIDsOfNames could not resolve (the same -1 as DISPID_UNKNOWN).
constexpr automation::DISPID MEMBERID_NIL = -1;

}  // namespace platform::typelib
