// The resource reader on arbitrary bytes, taken both as a library file and as the
// resource section itself. A section found lies inside the file; a table read
// refers only to its own bytes, and writing its entries again gives the bytes it
// was read from.
#include <algorithm>
#include <cstdint>
#include <span>
#include <vector>

#include <platform/resources/ByteSource.h>
#include <platform/resources/ElfSectionReader.h>
#include <platform/resources/ResourceSectionWriter.h>
#include <platform/resources/ResourceTableView.h>

#include <fuzz/FuzzCheck.h>

namespace {

void checkTable(std::span<const std::uint8_t> section) {
  const auto table = platform::resources::ResourceTableView::parse(section);
  if (!table.status) {
    FUZZ_CHECK(!table.status.reason().empty());
    return;
  }
  std::vector<platform::resources::DeclaredResource> declared;
  for (const platform::resources::ResourceEntry& entry : table.value.entries()) {
    FUZZ_CHECK(entry.data.empty() || (entry.data.data() >= section.data() &&
                                      entry.data.data() + entry.data.size() <= section.data() + section.size()));
    declared.push_back({entry.type, entry.name, {entry.data.begin(), entry.data.end()}});
  }
  const auto written = platform::resources::writeResourceSection(declared);
  FUZZ_CHECK(written.size() <= section.size() && std::equal(written.begin(), written.end(), section.begin()));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::span<const std::uint8_t> input(data, size);
  const auto section = platform::resources::readElfSection(platform::resources::MemoryByteSource(input),
                                                           platform::resources::kSectionName);
  if (section.status) {
    FUZZ_CHECK(section.value.size() <= size);
    checkTable(section.value);
  } else {
    FUZZ_CHECK(!section.status.reason().empty());
  }
  checkTable(input);
  return 0;
}
