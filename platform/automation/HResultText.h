#pragma once
#include <string>

#include <platform/automation/HResult.h>

namespace platform::automation {

// "error 0x80020003": how a result code reads wherever a person or a log sees it.
std::string hresultText(HRESULT hr);

}  // namespace platform::automation
