#pragma once
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

namespace tests::resources {

using Bytes = std::vector<std::uint8_t>;

inline Bytes readFile(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return Bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

inline std::uint16_t read16(const Bytes& bytes, std::size_t at) {
  return static_cast<std::uint16_t>(bytes.at(at) | bytes.at(at + 1) << 8);
}

inline std::uint32_t read32(const Bytes& bytes, std::size_t at) {
  return read16(bytes, at) | std::uint32_t{read16(bytes, at + 2)} << 16;
}

inline void write16(Bytes& bytes, std::size_t at, std::uint16_t value) {
  bytes.at(at) = static_cast<std::uint8_t>(value);
  bytes.at(at + 1) = static_cast<std::uint8_t>(value >> 8);
}

}  // namespace tests::resources
