#pragma once
// The small in-process server the object-creation and dispcall tests load.
#include <platform/automation/Guid.h>
#include <platform/automation/VarType.h>

namespace tests::automation {

constexpr platform::automation::CLSID CLSID_Record{
    0x5B0C1E2A, 0x7D41, 0x4C8E, {0x9A, 0x13, 0x2F, 0x60, 0xB4, 0x8D, 0x17, 0xC5}};
constexpr platform::automation::IID DIID_RecordEvents{
    0x5B0C1E2B, 0x7D41, 0x4C8E, {0x9A, 0x13, 0x2F, 0x60, 0xB4, 0x8D, 0x17, 0xC5}};
// The same record, from a factory that asks the loader to unload unused libraries
// in the middle of each creation.
constexpr platform::automation::CLSID CLSID_RecordUnloadingMidCreation{
    0x5B0C1E2C, 0x7D41, 0x4C8E, {0x9A, 0x13, 0x2F, 0x60, 0xB4, 0x8D, 0x17, 0xC5}};
constexpr const char* kProgId = "automationTest.Record";

constexpr platform::automation::DISPID DISPID_Year = 1;      // VT_I2, read and write
constexpr platform::automation::DISPID DISPID_Title = 2;     // VT_BSTR, read and write
constexpr platform::automation::DISPID DISPID_Genre = 3;     // VT_UI1, read and write
constexpr platform::automation::DISPID DISPID_Saved = 4;     // VT_BOOL, read only
constexpr platform::automation::DISPID DISPID_Length = 5;    // method: VT_I4 length of the title
constexpr platform::automation::DISPID DISPID_Reset = -552;  // method without result

}  // namespace tests::automation
