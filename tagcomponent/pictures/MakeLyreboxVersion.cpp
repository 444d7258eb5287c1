// Build-time tool: writes the component's version block (VS_VERSIONINFO).
//   make_lyrebox_version OUTPUT_FILE
#include <iostream>
#include <string_view>

#include <platform/resources/GeneratedFile.h>
#include <platform/resources/VersionBlockWriter.h>

#include <tagcomponent/pictures/LyreboxVersionInfo.h>

int main(int argc, char** argv) {
  if (argc != 2) {
    std::cerr << "usage: make_lyrebox_version OUTPUT_FILE\n";
    return 2;
  }
  const auto block = platform::resources::buildVersionBlock(tagcomponent::pictures::lyreboxVersionInfo());
  const std::string error = platform::resources::writeGeneratedFile(
      argv[1], std::string_view(reinterpret_cast<const char*>(block.data()), block.size()));
  if (!error.empty()) {
    std::cerr << "make_lyrebox_version: " << error << "\n";
    return 1;
  }
  return 0;
}
