#include <tagcomponent/ID3tagRecord.h>

#include <tagcomponent/Windows1252.h>

namespace tagcomponent {
namespace {

template <std::size_t Width>
const std::uint8_t* decodeField(const std::uint8_t* from, FixedTextField<Width>& field) {
  // Only 0x80..0x9F differ from their code points; the rest need no table.
  for (std::size_t i = 0; i < Width; ++i)
    field.data()[i] = (from[i] & 0xE0) == 0x80 ? charFromWindows1252(from[i]) : char16_t{from[i]};
  return from + Width;
}

template <std::size_t Width>
std::uint8_t* encodeField(const FixedTextField<Width>& field, std::uint8_t* to) {
  for (std::size_t i = 0; i < Width; ++i) to[i] = windows1252FromChar(field.data()[i]);
  return to + Width;
}

constexpr std::uint8_t asciiUpper(std::uint8_t c) { return c >= 'a' && c <= 'z' ? c - ('a' - 'A') : c; }

}  // namespace

void ID3tagRecord::setNoTagValues() {
  Title.assign(u"");
  Artist.assign(u"");
  Album.assign(u"");
  Year.assign(u"19");
  Comment.assign(u"");
  Genre = 255;
}

// Upper-casing can only turn the bytes t, a, g into T, A, G, so comparing ASCII
// letters without regard to case is the whole test.
bool isTagMarker(const std::uint8_t* bytes) {
  return asciiUpper(bytes[0]) == 'T' && asciiUpper(bytes[1]) == 'A' && asciiUpper(bytes[2]) == 'G';
}

ID3tagRecord ID3tagRecord::fromFileBytes(const FileBytes& bytes) {
  ID3tagRecord record;
  record.readFileBytes(bytes);
  return record;
}

void ID3tagRecord::readFileBytes(const FileBytes& bytes) {
  const std::uint8_t* at = bytes.data();
  at = decodeField(at, Marker);
  at = decodeField(at, Title);
  at = decodeField(at, Artist);
  at = decodeField(at, Album);
  at = decodeField(at, Year);
  at = decodeField(at, Comment);
  Genre = *at;
}

ID3tagRecord::FileBytes ID3tagRecord::toFileBytes() const {
  FileBytes bytes{};
  std::uint8_t* at = bytes.data();
  at = encodeField(Marker, at);
  at = encodeField(Title, at);
  at = encodeField(Artist, at);
  at = encodeField(Album, at);
  at = encodeField(Year, at);
  at = encodeField(Comment, at);
  *at = Genre;
  return bytes;
}

}  // namespace tagcomponent
