// The version block reader on arbitrary bytes. Whatever it accepts must be content
// the writer can lay out again, and that layout must read back to the same content.
#include <cstdint>
#include <span>
#include <stdexcept>

#include <platform/resources/VersionBlockReader.h>
#include <platform/resources/VersionBlockWriter.h>

#include <fuzz/FuzzCheck.h>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const auto parsed = platform::resources::parseVersionBlock(std::span(data, size));
  if (!parsed.status) {
    FUZZ_CHECK(!parsed.status.reason().empty());
    return 0;
  }
  std::vector<std::uint8_t> rebuilt;
  try {
    rebuilt = platform::resources::buildVersionBlock(parsed.value);
  } catch (const std::length_error&) {
    // Content read from at most 64 KiB of input can outgrow 64 KiB once aligned
    // again; the writer refuses it rather than truncate.
    return 0;
  }
  const auto again = platform::resources::parseVersionBlock(rebuilt);
  FUZZ_CHECK(again.status && again.value == parsed.value);
  return 0;
}
