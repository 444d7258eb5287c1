// libFuzzer entry: any bytes are either refused with a reason or parsed into entries
// that write back to a text parsing to the same entries.
#include <automation/PropertyBagText.h>

#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  const automation::ParsedBagText parsed = automation::parseBagText(text);
  if (parsed.error) {
    if (parsed.error->line == 0 || parsed.error->reason.empty()) std::abort();
    return 0;
  }
  std::string written;
  if (automation::writeBagText(parsed.entries, &written) != automation::S_OK) std::abort();
  const automation::ParsedBagText again = automation::parseBagText(written);
  if (again.error || again.entries != parsed.entries) std::abort();
  return 0;
}
