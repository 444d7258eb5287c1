#include <QColor>
#include <QImage>
#include <gtest/gtest.h>

#include <string>

#include <tests/resources/TestFiles.h>

using tests::resources::Bytes;
using tests::resources::read16;
using tests::resources::read32;
using tests::resources::readFile;

namespace {

struct Rgb {
  int red, green, blue;
  friend bool operator==(const Rgb&, const Rgb&) = default;
};
std::ostream& operator<<(std::ostream& out, const Rgb& c) {
  return out << "rgb(" << c.red << "," << c.green << "," << c.blue << ")";
}

constexpr Rgb kBlack{0, 0, 0}, kRed{255, 0, 0}, kYellow{255, 255, 0}, kBlue{0, 0, 255}, kWhite{255, 255, 255};

// A device-independent bitmap read from its header, wherever it sits in a file.
struct Dib {
  std::int32_t width, height;
  std::uint16_t planes, bitCount;
  std::uint32_t compression, imageSize, coloursUsed;
  std::vector<Rgb> palette;
  std::size_t pixelOffset;  // in the whole file
  int rows;                 // of colour pixels; an icon's mask follows them

  std::size_t stride() const { return (width * bitCount + 31) / 32 * 4; }
  std::size_t colourBytes() const { return stride() * rows; }
  // (0, 0) is the top-left pixel; rows are stored bottom-up.
  Rgb at(const Bytes& file, int x, int y) const {
    const std::size_t row = pixelOffset + stride() * (rows - 1 - y);
    if (bitCount == 24) return {file.at(row + x * 3 + 2), file.at(row + x * 3 + 1), file.at(row + x * 3)};
    const std::uint8_t pair = file.at(row + x / 2);
    return palette.at(x % 2 == 0 ? pair >> 4 : pair & 0x0F);
  }
};

Dib readDib(const Bytes& file, std::size_t header, std::size_t pixelOffset, int rows) {
  Dib dib{static_cast<std::int32_t>(read32(file, header + 4)),
          static_cast<std::int32_t>(read32(file, header + 8)),
          read16(file, header + 12),
          read16(file, header + 14),
          read32(file, header + 16),
          read32(file, header + 20),
          read32(file, header + 32),
          {},
          pixelOffset,
          rows};
  const std::size_t paletteAt = header + read32(file, header);
  for (std::uint32_t i = 0; i < dib.coloursUsed; ++i)
    dib.palette.push_back({file.at(paletteAt + i * 4 + 2), file.at(paletteAt + i * 4 + 1), file.at(paletteAt + i * 4)});
  return dib;
}

Dib readBmp(const Bytes& file) {
  EXPECT_EQ(file.at(0), 'B');
  EXPECT_EQ(file.at(1), 'M');
  EXPECT_EQ(read32(file, 2), file.size());
  return readDib(file, 14, read32(file, 10), static_cast<int>(read32(file, 14 + 8)));
}

Dib readIco(const Bytes& file) {
  EXPECT_EQ(read16(file, 0), 0u);
  EXPECT_EQ(read16(file, 2), 1u) << "icon, not cursor";
  EXPECT_EQ(read16(file, 4), 1u) << "images";
  const std::uint32_t bytesInImage = read32(file, 6 + 8), imageAt = read32(file, 6 + 12);
  EXPECT_EQ(imageAt + bytesInImage, file.size());
  EXPECT_EQ(file.at(6), 32);
  EXPECT_EQ(file.at(7), 32);
  EXPECT_EQ(file.at(8), 16) << "colours";
  EXPECT_EQ(read16(file, 6 + 6), 4u) << "bits per pixel";
  const std::uint32_t coloursUsed = read32(file, imageAt + 32);
  const int rows = static_cast<int>(read32(file, imageAt + 8)) / 2;  // colour rows, then the mask
  return readDib(file, imageAt, imageAt + read32(file, imageAt) + coloursUsed * 4, rows);
}

struct Picture {
  const char* name;
  const char* path;
  bool icon;
  int width, height, bitCount;
  std::uint32_t paletteSize, pixelBytes;
  bool blackBorder;
};

const Picture kPictures[] = {
    {"toolbox", LYREBOX_TOOLBOX_BITMAP, false, 16, 15, 24, 0, 16 * 3 * 15, false},
    {"about", LYREBOX_ABOUT_BITMAP, false, 32, 32, 4, 16, 16 * 32, true},
    {"icon", LYREBOX_ICON, true, 32, 32, 4, 16, 16 * 32 + 4 * 32, true},
};

Dib read(const Picture& picture, const Bytes& file) { return picture.icon ? readIco(file) : readBmp(file); }

TEST(Pictures, HeadersDescribeUncompressedPicturesOfTheStatedSizeAndDepth) {
  for (const Picture& p : kPictures) {
    SCOPED_TRACE(p.name);
    const Bytes file = readFile(p.path);
    ASSERT_GT(file.size(), 62u);
    const Dib dib = read(p, file);
    EXPECT_EQ(dib.width, p.width);
    EXPECT_EQ(dib.rows, p.height);
    EXPECT_EQ(dib.planes, 1);
    EXPECT_EQ(dib.bitCount, p.bitCount);
    EXPECT_EQ(dib.compression, 0u);
    EXPECT_EQ(dib.coloursUsed, p.paletteSize);
    EXPECT_EQ(dib.imageSize, p.pixelBytes);
    EXPECT_EQ(dib.pixelOffset + p.pixelBytes, file.size()) << "pixel data runs to the end of the file";
  }
}

TEST(Pictures, SixteenColourPicturesUseTheClassicPalette) {
  const std::pair<int, Rgb> entries[] = {{0, kBlack}, {9, kRed}, {11, kYellow}, {12, kBlue}, {15, kWhite}};
  for (const Picture& p : kPictures) {
    if (p.paletteSize == 0) continue;
    const Dib dib = read(p, readFile(p.path));
    for (const auto& [index, colour] : entries) EXPECT_EQ(dib.palette.at(index), colour) << p.name << " " << index;
  }
}

TEST(Pictures, FramedPicturesHaveAnAllBlackBorderAndTheIconIsOpaque) {
  for (const Picture& p : kPictures) {
    if (!p.blackBorder) continue;
    const Bytes file = readFile(p.path);
    const Dib dib = read(p, file);
    for (int i = 0; i < p.width; ++i) {
      EXPECT_EQ(dib.at(file, i, 0), kBlack) << p.name << " top " << i;
      EXPECT_EQ(dib.at(file, i, p.height - 1), kBlack) << p.name << " bottom " << i;
      EXPECT_EQ(dib.at(file, 0, i), kBlack) << p.name << " left " << i;
      EXPECT_EQ(dib.at(file, p.width - 1, i), kBlack) << p.name << " right " << i;
    }
    if (p.icon) {
      const Bytes mask(file.begin() + static_cast<long>(dib.pixelOffset + dib.colourBytes()), file.end());
      EXPECT_EQ(mask, Bytes(4 * 32, 0));
    }
  }
}

TEST(Pictures, MotifsSitWhereTheyWereDrawn) {
  struct Pixel {
    const Picture& picture;
    int x, y;
    Rgb colour;
    const char* what;
  } pixels[] = {
      {kPictures[0], 0, 0, kRed, "field"},
      {kPictures[0], 2, 2, kYellow, "top bar of I"},
      {kPictures[0], 1, 5, kRed, "beside the stem of I"},
      {kPictures[0], 2, 5, kYellow, "stem of I"},
      {kPictures[0], 13, 4, kYellow, "right side of 3"},
      {kPictures[0], 1, 11, kBlue, "mark under I"},
      {kPictures[0], 4, 11, kRed, "gap between marks"},
      {kPictures[0], 13, 12, kBlue, "mark under 3"},
      {kPictures[0], 15, 14, kRed, "field"},
      {kPictures[1], 4, 4, kYellow, "top bar of I"},
      {kPictures[1], 4, 8, kRed, "beside the stem of I"},
      {kPictures[1], 7, 8, kYellow, "stem of I"},
      {kPictures[1], 6, 20, kBlue, "cross bar of t"},
      {kPictures[1], 17, 26, kBlue, "descender of g"},
      {kPictures[1], 15, 16, kRed, "between the lines"},
      {kPictures[2], 4, 4, kWhite, "top bar of I"},
      {kPictures[2], 7, 8, kWhite, "stem of I"},
      {kPictures[2], 5, 18, kYellow, "top of ["},
      {kPictures[2], 5, 22, kYellow, "side of ["},
      {kPictures[2], 6, 22, kRed, "inside ["},
      {kPictures[2], 25, 22, kYellow, "side of ]"},
      {kPictures[2], 15, 16, kRed, "between the lines"},
  };
  for (const Pixel& px : pixels) {
    const Bytes file = readFile(px.picture.path);
    EXPECT_EQ(read(px.picture, file).at(file, px.x, px.y), px.colour)
        << px.picture.name << " (" << px.x << ", " << px.y << ") " << px.what;
  }
}

// The About box shows these through Qt; its decoders must see what we wrote.
TEST(Pictures, QtDecodesEveryPixelAsWritten) {
  for (const Picture& p : kPictures) {
    SCOPED_TRACE(p.name);
    const Bytes file = readFile(p.path);
    const Dib dib = read(p, file);
    const QImage image(QString::fromUtf8(p.path));
    ASSERT_FALSE(image.isNull());
    ASSERT_EQ(image.width(), p.width);
    ASSERT_EQ(image.height(), p.height);
    int differing = 0;
    for (int y = 0; y < p.height; ++y)
      for (int x = 0; x < p.width; ++x) {
        const QColor c = image.pixelColor(x, y);
        differing += !(Rgb{c.red(), c.green(), c.blue()} == dib.at(file, x, y)) || c.alpha() != 255;
      }
    EXPECT_EQ(differing, 0);
  }
}

}  // namespace
