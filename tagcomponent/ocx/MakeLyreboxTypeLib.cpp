// Build-time tool: writes the component's type library and the two interface
// identity blobs the library carries as resources.
//   make_lyrebox_typelib TYPELIB_FILE IID_FILE SRCIID_FILE
#include <platform/automation/Guid.h>
#include <platform/resources/GeneratedFile.h>
#include <platform/typelib/TypeLibFormat.h>

#include <cstdint>
#include <iostream>
#include <string>
#include <vector>

#include <tagcomponent/LyreboxIdentity.h>
#include <tagcomponent/LyreboxTypeLibrary.h>

namespace {

// The 32-bit little-endian length 16, then the identity's 16 bytes.
std::string identityBlob(const platform::automation::GUID& guid) {
  std::string blob{'\x10', '\0', '\0', '\0'};
  std::uint8_t bytes[16];
  platform::automation::guidToBytes(guid, bytes);
  blob.append(reinterpret_cast<const char*>(bytes), sizeof bytes);
  return blob;
}

bool write(const char* path, std::string_view bytes) {
  const std::string error = platform::resources::writeGeneratedFile(path, bytes);
  if (error.empty()) return true;
  std::cerr << "make_lyrebox_typelib: " << error << "\n";
  return false;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 4) {
    std::cerr << "usage: make_lyrebox_typelib TYPELIB_FILE IID_FILE SRCIID_FILE\n";
    return 2;
  }
  const std::vector<std::uint8_t> library = platform::typelib::serialize(tagcomponent::lyreboxTypeLibrary());
  const bool written =
      write(argv[1], std::string_view(reinterpret_cast<const char*>(library.data()), library.size())) &&
      write(argv[2], identityBlob(tagcomponent::IID__Lyrebox)) &&
      write(argv[3], identityBlob(tagcomponent::DIID___Lyrebox));
  return written ? 0 : 1;
}
