#include <platform/automation/Guid.h>

#include <cstdio>

namespace platform::automation {
namespace {
int hexValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

bool readHex(std::string_view text, std::size_t& pos, int digits, std::uint64_t& value) {
  value = 0;
  for (int i = 0; i < digits; ++i, ++pos) {
    if (pos >= text.size()) return false;
    const int v = hexValue(text[pos]);
    if (v < 0) return false;
    value = value * 16 + static_cast<std::uint64_t>(v);
  }
  return true;
}

bool expect(std::string_view text, std::size_t& pos, char c) {
  if (pos >= text.size() || text[pos] != c) return false;
  ++pos;
  return true;
}
}  // namespace

std::string toRegistryText(const GUID& g) {
  char buffer[39];
  std::snprintf(buffer, sizeof buffer, "{%08X-%04X-%04X-%02X%02X-%02X%02X%02X%02X%02X%02X}", g.Data1, g.Data2, g.Data3,
                g.Data4[0], g.Data4[1], g.Data4[2], g.Data4[3], g.Data4[4], g.Data4[5], g.Data4[6], g.Data4[7]);
  return buffer;
}

std::optional<GUID> guidFromRegistryText(std::string_view text) {
  if (text.size() != 38) return std::nullopt;
  GUID g;
  std::size_t pos = 0;
  std::uint64_t v = 0;
  if (!expect(text, pos, '{') || !readHex(text, pos, 8, v)) return std::nullopt;
  g.Data1 = static_cast<std::uint32_t>(v);
  if (!expect(text, pos, '-') || !readHex(text, pos, 4, v)) return std::nullopt;
  g.Data2 = static_cast<std::uint16_t>(v);
  if (!expect(text, pos, '-') || !readHex(text, pos, 4, v)) return std::nullopt;
  g.Data3 = static_cast<std::uint16_t>(v);
  if (!expect(text, pos, '-')) return std::nullopt;
  for (int i = 0; i < 8; ++i) {
    if (i == 2 && !expect(text, pos, '-')) return std::nullopt;
    if (!readHex(text, pos, 2, v)) return std::nullopt;
    g.Data4[i] = static_cast<std::uint8_t>(v);
  }
  if (!expect(text, pos, '}')) return std::nullopt;
  return g;
}

void guidToBytes(const GUID& g, std::uint8_t out[16]) {
  for (int i = 0; i < 4; ++i) out[i] = static_cast<std::uint8_t>(g.Data1 >> (8 * i));
  for (int i = 0; i < 2; ++i) out[4 + i] = static_cast<std::uint8_t>(g.Data2 >> (8 * i));
  for (int i = 0; i < 2; ++i) out[6 + i] = static_cast<std::uint8_t>(g.Data3 >> (8 * i));
  for (int i = 0; i < 8; ++i) out[8 + i] = g.Data4[i];
}

GUID guidFromBytes(const std::uint8_t in[16]) {
  GUID g;
  for (int i = 3; i >= 0; --i) g.Data1 = (g.Data1 << 8) | in[i];
  g.Data2 = static_cast<std::uint16_t>(in[4] | (in[5] << 8));
  g.Data3 = static_cast<std::uint16_t>(in[6] | (in[7] << 8));
  for (int i = 0; i < 8; ++i) g.Data4[i] = in[8 + i];
  return g;
}

}  // namespace platform::automation
