#pragma once
#include <cstdint>

namespace platform::automation {

// Every member that crosses a component boundary reports through a 32-bit result
// code with the classic values, so hosts and tools can print and compare them.
using HRESULT = std::int32_t;

constexpr HRESULT hresultFrom(std::uint32_t bits) { return static_cast<HRESULT>(bits); }

constexpr HRESULT S_OK = 0;
constexpr HRESULT S_FALSE = 1;
constexpr HRESULT E_NOTIMPL = hresultFrom(0x80004001);
constexpr HRESULT E_NOINTERFACE = hresultFrom(0x80004002);
constexpr HRESULT E_POINTER = hresultFrom(0x80004003);
constexpr HRESULT E_FAIL = hresultFrom(0x80004005);
constexpr HRESULT E_UNEXPECTED = hresultFrom(0x8000FFFF);
constexpr HRESULT E_INVALIDARG = hresultFrom(0x80070057);
constexpr HRESULT E_OUTOFMEMORY = hresultFrom(0x8007000E);
constexpr HRESULT CLASS_E_NOAGGREGATION = hresultFrom(0x80040110);
constexpr HRESULT CLASS_E_CLASSNOTAVAILABLE = hresultFrom(0x80040111);
constexpr HRESULT REGDB_E_CLASSNOTREG = hresultFrom(0x80040154);
constexpr HRESULT REGDB_E_READREGDB = hresultFrom(0x80040150);
constexpr HRESULT REGDB_E_WRITEREGDB = hresultFrom(0x80040151);
constexpr HRESULT CO_E_DLLNOTFOUND = hresultFrom(0x8004F007);
constexpr HRESULT CO_E_ERRORINDLL = hresultFrom(0x800401F9);
constexpr HRESULT DISP_E_UNKNOWNINTERFACE = hresultFrom(0x80020001);
constexpr HRESULT DISP_E_MEMBERNOTFOUND = hresultFrom(0x80020003);
constexpr HRESULT DISP_E_PARAMNOTFOUND = hresultFrom(0x80020004);
constexpr HRESULT DISP_E_TYPEMISMATCH = hresultFrom(0x80020005);
constexpr HRESULT DISP_E_UNKNOWNNAME = hresultFrom(0x80020006);
constexpr HRESULT DISP_E_NONAMEDARGS = hresultFrom(0x80020007);
constexpr HRESULT DISP_E_BADVARTYPE = hresultFrom(0x80020008);
constexpr HRESULT DISP_E_EXCEPTION = hresultFrom(0x80020009);
constexpr HRESULT DISP_E_OVERFLOW = hresultFrom(0x8002000A);
constexpr HRESULT DISP_E_BADINDEX = hresultFrom(0x8002000B);
constexpr HRESULT DISP_E_BADPARAMCOUNT = hresultFrom(0x8002000E);
constexpr HRESULT DISP_E_PARAMNOTOPTIONAL = hresultFrom(0x8002000F);
constexpr HRESULT TYPE_E_ELEMENTNOTFOUND = hresultFrom(0x8002802B);
constexpr HRESULT TYPE_E_LIBNOTREGISTERED = hresultFrom(0x8002801D);
constexpr HRESULT TYPE_E_INVDATAREAD = hresultFrom(0x80028018);
constexpr HRESULT RPC_E_WRONG_THREAD = hresultFrom(0x8001010E);
constexpr HRESULT CONNECT_E_NOCONNECTION = hresultFrom(0x80040200);
constexpr HRESULT CONNECT_E_ADVISELIMIT = hresultFrom(0x80040201);
constexpr HRESULT CONNECT_E_CANNOTCONNECT = hresultFrom(0x80040202);
constexpr HRESULT CONNECT_E_OVERRIDDEN = hresultFrom(0x80040203);

constexpr bool succeeded(HRESULT hr) { return hr >= 0; }
constexpr bool failed(HRESULT hr) { return hr < 0; }

}  // namespace platform::automation
