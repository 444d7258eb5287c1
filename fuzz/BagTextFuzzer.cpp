// The property-bag text a host keeps beside its window: any bytes are either refused
// with a reason and no entries, or parsed into entries that write back to a text
// parsing to the same entries, which writes the same text again.
#include <platform/automation/PropertyBagText.h>

#include <cstdint>
#include <string>
#include <string_view>

#include <fuzz/FuzzCheck.h>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  const platform::automation::ParsedBagText parsed = platform::automation::parseBagText(text);
  if (parsed.error) {
    FUZZ_CHECK(parsed.error->line != 0 && !parsed.error->reason.empty() && parsed.entries.empty());
    return 0;
  }
  std::string written;
  FUZZ_CHECK(platform::automation::writeBagText(parsed.entries, &written) == platform::automation::S_OK);
  const platform::automation::ParsedBagText again = platform::automation::parseBagText(written);
  FUZZ_CHECK(!again.error && again.entries == parsed.entries);
  std::string rewritten;
  FUZZ_CHECK(platform::automation::writeBagText(again.entries, &rewritten) == platform::automation::S_OK &&
             rewritten == written);
  return 0;
}
