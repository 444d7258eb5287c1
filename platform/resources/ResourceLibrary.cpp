#include "ResourceLibrary.h"

#include "ElfSectionReader.h"
#include "FileByteSource.h"

namespace resources {

Result<ResourceLibrary> ResourceLibrary::open(const std::filesystem::path& path) {
  using Failure = Result<ResourceLibrary>;
  const std::string named = "library '" + path.string() + "'";
  const auto file = FileByteSource::open(path);
  if (!file) return Failure::failure(file.error());
  auto section = readElfSection(file.value(), kSectionName);
  if (!section)
    return Failure::failure(named + " has no readable resource section " + kSectionName + ": " + section.error());
  const auto bytes = std::make_shared<const std::vector<std::uint8_t>>(std::move(section.value()));
  auto table = ResourceTableView::parse(*bytes);
  if (!table) return Failure::failure(named + ": " + table.error());
  return Result<ResourceLibrary>::success(ResourceLibrary(bytes, std::move(table.value()), path));
}

}  // namespace resources
