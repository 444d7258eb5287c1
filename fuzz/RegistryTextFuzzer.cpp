// The registry file's text form, as a person or a broken disk may leave it. A text
// that parses must write back to a text that parses to the same tree, and writing
// that tree again must give the same text; a text that does not parse leaves the
// tree empty and names a line that exists.
#include <algorithm>
#include <cstdint>
#include <string_view>

#include <platform/automation/RegistryText.h>

#include <fuzz/FuzzCheck.h>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  platform::automation::RegistryTree tree;
  tree.createKey("Left\\Over");  // whatever the tree held before must go
  if (const auto error = platform::automation::parseRegistry(text, tree)) {
    FUZZ_CHECK(tree.empty());
    const auto lines = static_cast<std::size_t>(std::count(text.begin(), text.end(), '\n')) + 1;
    FUZZ_CHECK(error->line >= 1 && error->line <= lines && !error->what.empty());
    return 0;
  }
  const std::string written = platform::automation::formatRegistry(tree);
  platform::automation::RegistryTree reread;
  FUZZ_CHECK(!platform::automation::parseRegistry(written, reread));
  FUZZ_CHECK(reread == tree);
  FUZZ_CHECK(platform::automation::formatRegistry(reread) == written);
  return 0;
}
