// Build-time tool: writes the component's pictures into one folder.
//   make_lyrebox_pictures OUTPUT_FOLDER
#include <cstdint>
#include <filesystem>
#include <iostream>
#include <string_view>
#include <vector>

#include <platform/resources/GeneratedFile.h>

#include <tagcomponent/pictures/BitmapEncoding.h>
#include <tagcomponent/pictures/LyreboxPictures.h>

namespace {

bool write(const std::filesystem::path& path, const std::vector<std::uint8_t>& bytes) {
  const std::string error = platform::resources::writeGeneratedFile(
      path, std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()));
  if (!error.empty()) std::cerr << "make_lyrebox_pictures: " << error << "\n";
  return error.empty();
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::cerr << "usage: make_lyrebox_pictures OUTPUT_FOLDER\n";
    return 2;
  }
  const std::filesystem::path folder = argv[1];
  const bool written =
      write(folder / "LyreboxToolbox.bmp",
            tagcomponent::pictures::encodeBmp24(tagcomponent::pictures::toolboxPicture())) &&
      write(folder / "LyreboxAbout.bmp",
            tagcomponent::pictures::encodeBmp16Colour(tagcomponent::pictures::aboutPicture())) &&
      write(folder / "Lyrebox.ico", tagcomponent::pictures::encodeIco16Colour(tagcomponent::pictures::iconPicture()));
  return written ? 0 : 1;
}
