#include <platform/automation/HResultText.h>

#include <cstdio>

namespace platform::automation {

std::string hresultText(HRESULT hr) {
  char text[32];
  std::snprintf(text, sizeof text, "error 0x%08X", static_cast<unsigned>(hr));
  return text;
}

}  // namespace platform::automation
