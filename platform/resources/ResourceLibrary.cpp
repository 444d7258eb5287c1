#include <platform/resources/ResourceLibrary.h>

#include <platform/resources/ElfSectionReader.h>
#include <platform/resources/FileByteSource.h>

namespace platform::resources {

using status::Result;
using status::Status;

Result<ResourceLibrary> ResourceLibrary::open(const std::filesystem::path& path) {
  const std::string named = "library '" + path.string() + "'";
  const auto file = FileByteSource::open(path);
  if (!file.status) return {file.status};
  auto section = readElfSection(file.value, kSectionName);
  if (!section.status)
    return {
        Status::failure(named + " has no readable resource section " + kSectionName + ": " + section.status.reason())};
  const auto bytes = std::make_shared<const std::vector<std::uint8_t>>(std::move(section.value));
  auto table = ResourceTableView::parse(*bytes);
  if (!table.status) return {Status::failure(named + ": " + table.status.reason())};
  return {Status::success(), ResourceLibrary(bytes, std::move(table.value), path)};
}

}  // namespace platform::resources
