#pragma once
// Little-endian reading and writing for the binary type-library form. The reader
// never reads past its span and stops at the first failure, remembering where.
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include <platform/automation/Guid.h>

namespace platform::typelib {

class ByteWriter {
 public:
  void u8(std::uint8_t v) { bytes_.push_back(v); }
  void u16(std::uint16_t v);
  void u32(std::uint32_t v);
  void guid(const automation::GUID& g);
  void text(std::u16string_view s);
  std::vector<std::uint8_t> take() { return std::move(bytes_); }

 private:
  std::vector<std::uint8_t> bytes_;
};

class ByteReader {
 public:
  explicit ByteReader(std::span<const std::uint8_t> bytes) : bytes_(bytes) {}

  // Each returns false, and leaves the reader failed, when the bytes run out;
  // `what` names the field for the error message.
  bool u8(std::uint8_t& v, const char* what);
  bool u16(std::uint16_t& v, const char* what);
  bool u32(std::uint32_t& v, const char* what);
  bool guid(automation::GUID& g, const char* what);
  bool text(std::u16string& s, const char* what);

  bool atEnd() const { return pos_ == bytes_.size(); }
  std::size_t remaining() const { return bytes_.size() - pos_; }
  std::size_t position() const { return pos_; }
  const std::string& error() const { return error_; }
  bool fail(std::string message);

 private:
  bool take(std::size_t count, const char* what, const std::uint8_t*& start);

  std::span<const std::uint8_t> bytes_;
  std::size_t pos_ = 0;
  std::string error_;
};

}  // namespace platform::typelib
