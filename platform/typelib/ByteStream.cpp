#include <platform/typelib/ByteStream.h>

namespace platform::typelib {

void ByteWriter::u16(std::uint16_t v) {
  u8(static_cast<std::uint8_t>(v));
  u8(static_cast<std::uint8_t>(v >> 8));
}

void ByteWriter::u32(std::uint32_t v) {
  u16(static_cast<std::uint16_t>(v));
  u16(static_cast<std::uint16_t>(v >> 16));
}

void ByteWriter::guid(const automation::GUID& g) {
  std::uint8_t raw[16];
  automation::guidToBytes(g, raw);
  bytes_.insert(bytes_.end(), raw, raw + 16);
}

void ByteWriter::text(std::u16string_view s) {
  u32(static_cast<std::uint32_t>(s.size()));
  for (char16_t c : s) u16(c);
}

bool ByteReader::fail(std::string message) {
  if (error_.empty()) error_ = std::move(message) + " (at byte " + std::to_string(pos_) + ")";
  return false;
}

bool ByteReader::take(std::size_t count, const char* what, const std::uint8_t*& start) {
  if (!error_.empty()) return false;
  if (count > bytes_.size() - pos_) return fail(std::string("truncated while reading ") + what);
  start = bytes_.data() + pos_;
  pos_ += count;
  return true;
}

bool ByteReader::u8(std::uint8_t& v, const char* what) {
  const std::uint8_t* p = nullptr;
  if (!take(1, what, p)) return false;
  v = p[0];
  return true;
}

bool ByteReader::u16(std::uint16_t& v, const char* what) {
  const std::uint8_t* p = nullptr;
  if (!take(2, what, p)) return false;
  v = static_cast<std::uint16_t>(p[0] | (p[1] << 8));
  return true;
}

bool ByteReader::u32(std::uint32_t& v, const char* what) {
  const std::uint8_t* p = nullptr;
  if (!take(4, what, p)) return false;
  v = std::uint32_t(p[0]) | (std::uint32_t(p[1]) << 8) | (std::uint32_t(p[2]) << 16) | (std::uint32_t(p[3]) << 24);
  return true;
}

bool ByteReader::guid(automation::GUID& g, const char* what) {
  const std::uint8_t* p = nullptr;
  if (!take(16, what, p)) return false;
  g = automation::guidFromBytes(p);
  return true;
}

bool ByteReader::text(std::u16string& s, const char* what) {
  std::uint32_t units = 0;
  if (!u32(units, what)) return false;
  // The length is checked against what is left before anything is allocated.
  const std::uint8_t* p = nullptr;
  if (!take(std::size_t{units} * 2, what, p)) return false;
  s.resize(units);
  for (std::uint32_t i = 0; i < units; ++i) s[i] = static_cast<char16_t>(p[2 * i] | (p[2 * i + 1] << 8));
  return true;
}

}  // namespace platform::typelib
