#pragma once
// Bytes read at an offset: a library file on disk, or bytes already in memory
// (the fuzzer's input, a test's doctored copy of a library).
#include <algorithm>
#include <cstdint>
#include <span>

namespace platform::resources {

class ByteSource {
 public:
  virtual ~ByteSource() = default;
  virtual std::uint64_t size() const = 0;
  // Fills `into` from `offset`; false when the source holds fewer bytes there
  // or cannot be read.
  virtual bool read(std::uint64_t offset, std::span<std::uint8_t> into) const = 0;
};

class MemoryByteSource : public ByteSource {
 public:
  explicit MemoryByteSource(std::span<const std::uint8_t> bytes) : bytes_(bytes) {}
  std::uint64_t size() const override { return bytes_.size(); }
  bool read(std::uint64_t offset, std::span<std::uint8_t> into) const override {
    if (offset > bytes_.size() || into.size() > bytes_.size() - offset) return false;
    std::copy_n(bytes_.begin() + static_cast<std::ptrdiff_t>(offset), into.size(), into.begin());
    return true;
  }

 private:
  std::span<const std::uint8_t> bytes_;
};

}  // namespace platform::resources
