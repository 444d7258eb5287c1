#include <platform/resources/GeneratedFile.h>

#include <fstream>

namespace platform::resources {

std::string writeGeneratedFile(const std::filesystem::path& path, std::string_view bytes) {
  const std::filesystem::path temporary = path.string() + ".tmp";
  {
    std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (!out.flush()) return "cannot write '" + temporary.string() + "'";
  }
  std::error_code error;
  std::filesystem::rename(temporary, path, error);
  if (error) return "cannot write '" + path.string() + "': " + error.message();
  return {};
}

}  // namespace platform::resources
