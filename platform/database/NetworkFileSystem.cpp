#include <platform/database/NetworkFileSystem.h>

#include <sys/vfs.h>

#include <algorithm>
#include <array>
#include <cstdint>

namespace platform::database {
namespace {

// Magic numbers of statfs(2) for NFS, SMB, CIFS, SMB2, 9P, Ceph, AFS, Coda.
constexpr std::array<std::uint32_t, 8> networkMagics = {
    0x6969, 0x517B, 0xFF534D42, 0xFE534D42, 0x01021997, 0x00C36400, 0x5346414F, 0x73757245,
};

}  // namespace

bool onNetworkFileSystem(const std::string& path) {
  struct statfs info {};
  if (::statfs(path.c_str(), &info) != 0) return false;
  const auto magic = static_cast<std::uint32_t>(info.f_type);
  return std::find(networkMagics.begin(), networkMagics.end(), magic) != networkMagics.end();
}

}  // namespace platform::database
