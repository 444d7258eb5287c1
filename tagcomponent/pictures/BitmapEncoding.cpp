#include <tagcomponent/pictures/BitmapEncoding.h>

#include <stdexcept>

namespace tagcomponent::pictures {
namespace {

constexpr std::uint32_t kFileHeaderSize = 14;
constexpr std::uint32_t kInfoHeaderSize = 40;
constexpr std::uint32_t kPaletteSize = 16 * 4;
constexpr std::uint32_t kIconDirectorySize = 6 + 16;

class ByteWriter {
 public:
  void u8(std::uint8_t v) { bytes.push_back(v); }
  void u16(std::uint16_t v) {
    u8(static_cast<std::uint8_t>(v));
    u8(static_cast<std::uint8_t>(v >> 8));
  }
  void u32(std::uint32_t v) {
    u16(static_cast<std::uint16_t>(v));
    u16(static_cast<std::uint16_t>(v >> 16));
  }
  void padRow(std::size_t rowStart) {
    while ((bytes.size() - rowStart) % 4 != 0) u8(0);
  }

  std::vector<std::uint8_t> bytes;
};

std::uint32_t rowBytes(int width, int bitsPerPixel) {
  return static_cast<std::uint32_t>((width * bitsPerPixel + 31) / 32 * 4);
}

std::uint32_t pixelBytes(const IndexedImage& image, int bitsPerPixel) {
  return rowBytes(image.width(), bitsPerPixel) * static_cast<std::uint32_t>(image.height());
}

void fileHeader(ByteWriter& out, std::uint32_t pixelOffset, std::uint32_t fileSize) {
  out.u8('B');
  out.u8('M');
  out.u32(fileSize);
  out.u32(0);  // two reserved words
  out.u32(pixelOffset);
}

// heightField is the image's height, doubled for an icon, whose mask follows.
void infoHeader(ByteWriter& out, int width, int heightField, std::uint16_t bitsPerPixel, std::uint32_t imageSize,
                std::uint32_t coloursUsed) {
  out.u32(kInfoHeaderSize);
  out.u32(static_cast<std::uint32_t>(width));
  out.u32(static_cast<std::uint32_t>(heightField));
  out.u16(1);  // planes
  out.u16(bitsPerPixel);
  out.u32(0);  // BI_RGB: uncompressed
  out.u32(imageSize);
  out.u32(0);  // no stated resolution
  out.u32(0);
  out.u32(coloursUsed);
  out.u32(0);  // all colours important
}

void palette(ByteWriter& out) {
  for (const Rgb& c : classicPalette()) {
    out.u8(c.blue);
    out.u8(c.green);
    out.u8(c.red);
    out.u8(0);
  }
}

void pixels24(ByteWriter& out, const IndexedImage& image) {
  for (int y = image.height() - 1; y >= 0; --y) {
    const std::size_t rowStart = out.bytes.size();
    for (int x = 0; x < image.width(); ++x) {
      const Rgb c = image.rgbAt(x, y);
      out.u8(c.blue);
      out.u8(c.green);
      out.u8(c.red);
    }
    out.padRow(rowStart);
  }
}

void pixels4(ByteWriter& out, const IndexedImage& image) {
  for (int y = image.height() - 1; y >= 0; --y) {
    const std::size_t rowStart = out.bytes.size();
    for (int x = 0; x < image.width(); x += 2) {
      const int right = x + 1 < image.width() ? image.at(x + 1, y) : 0;
      out.u8(static_cast<std::uint8_t>(image.at(x, y) << 4 | right));  // left pixel in the high nibble
    }
    out.padRow(rowStart);
  }
}

void opaqueMask(ByteWriter& out, const IndexedImage& image) {
  out.bytes.resize(out.bytes.size() + pixelBytes(image, 1), 0);
}

}  // namespace

std::vector<std::uint8_t> encodeBmp24(const IndexedImage& image) {
  const std::uint32_t offset = kFileHeaderSize + kInfoHeaderSize;
  const std::uint32_t size = pixelBytes(image, 24);
  ByteWriter out;
  fileHeader(out, offset, offset + size);
  infoHeader(out, image.width(), image.height(), 24, size, 0);
  pixels24(out, image);
  return std::move(out.bytes);
}

std::vector<std::uint8_t> encodeBmp16Colour(const IndexedImage& image) {
  const std::uint32_t offset = kFileHeaderSize + kInfoHeaderSize + kPaletteSize;
  const std::uint32_t size = pixelBytes(image, 4);
  ByteWriter out;
  fileHeader(out, offset, offset + size);
  infoHeader(out, image.width(), image.height(), 4, size, 16);
  palette(out);
  pixels4(out, image);
  return std::move(out.bytes);
}

std::vector<std::uint8_t> encodeIco16Colour(const IndexedImage& image) {
  // The directory stores 256 as 0 and cannot say more.
  if (image.width() > 256 || image.height() > 256) throw std::invalid_argument("icon larger than 256 pixels");
  const std::uint32_t imageSize = pixelBytes(image, 4) + pixelBytes(image, 1);
  const std::uint32_t resourceSize = kInfoHeaderSize + kPaletteSize + imageSize;
  ByteWriter out;
  out.u16(0);  // reserved
  out.u16(1);  // an icon, not a cursor
  out.u16(1);  // one image
  out.u8(static_cast<std::uint8_t>(image.width()));
  out.u8(static_cast<std::uint8_t>(image.height()));
  out.u8(16);  // colours in the palette
  out.u8(0);
  out.u16(1);  // planes
  out.u16(4);  // bits per pixel
  out.u32(resourceSize);
  out.u32(kIconDirectorySize);
  infoHeader(out, image.width(), image.height() * 2, 4, imageSize, 16);
  palette(out);
  pixels4(out, image);
  opaqueMask(out, image);
  return std::move(out.bytes);
}

}  // namespace tagcomponent::pictures
