#include <tagcomponent/pictures/IndexedImage.h>

#include <stdexcept>

namespace tagcomponent::pictures {

const std::array<Rgb, 16>& classicPalette() {
  static const std::array<Rgb, 16> palette{{
      {0x00, 0x00, 0x00},
      {0x80, 0x00, 0x00},
      {0x00, 0x80, 0x00},
      {0x80, 0x80, 0x00},
      {0x00, 0x00, 0x80},
      {0x80, 0x00, 0x80},
      {0x00, 0x80, 0x80},
      {0xC0, 0xC0, 0xC0},
      {0x80, 0x80, 0x80},
      {0xFF, 0x00, 0x00},
      {0x00, 0xFF, 0x00},
      {0xFF, 0xFF, 0x00},
      {0x00, 0x00, 0xFF},
      {0xFF, 0x00, 0xFF},
      {0x00, 0xFF, 0xFF},
      {0xFF, 0xFF, 0xFF},
  }};
  return palette;
}

IndexedImage::IndexedImage(int width, int height, Colour background)
    : width_(width), height_(height), pixels_(static_cast<std::size_t>(width) * height, background) {
  if (width <= 0 || height <= 0) throw std::invalid_argument("picture without pixels");
}

void IndexedImage::set(int x, int y, Colour colour) {
  if (x >= 0 && y >= 0 && x < width_ && y < height_) pixels_[index(x, y)] = colour;
}

void IndexedImage::fillRect(int left, int top, int width, int height, Colour colour) {
  for (int y = top; y < top + height; ++y)
    for (int x = left; x < left + width; ++x) set(x, y, colour);
}

void IndexedImage::border(Colour colour) {
  fillRect(0, 0, width_, 1, colour);
  fillRect(0, height_ - 1, width_, 1, colour);
  fillRect(0, 0, 1, height_, colour);
  fillRect(width_ - 1, 0, 1, height_, colour);
}

std::vector<GlyphBox> IndexedImage::drawCentredText(const Font& font, std::string_view text, int top, Colour colour) {
  std::vector<GlyphBox> boxes;
  int left = (width_ - font.textWidth(text)) / 2;
  for (char c : text) {
    const Glyph& glyph = font.glyph(c);
    for (int row = 0; row < static_cast<int>(glyph.rows.size()); ++row)
      for (int column = 0; column < glyph.width(); ++column)
        if (glyph.rows[row][column] == '#') set(left + column, top + row, colour);
    boxes.push_back({left, glyph.width()});
    left += glyph.width() + font.spacing;
  }
  return boxes;
}

}  // namespace tagcomponent::pictures
