#pragma once
// A small picture whose pixels are indices into the classic 16-colour palette,
// the form every picture of the component starts in.
#include <array>
#include <cstdint>
#include <string_view>
#include <vector>

#include <tagcomponent/pictures/TinyFont.h>

namespace tagcomponent::pictures {

struct Rgb {
  std::uint8_t red, green, blue;
  friend bool operator==(const Rgb&, const Rgb&) = default;
};

// The 16 colours of the classic system palette, in its order.
enum Colour : std::uint8_t {
  Black,
  Maroon,
  Green,
  Olive,
  Navy,
  Purple,
  Teal,
  Silver,
  Grey,
  Red,
  Lime,
  Yellow,
  Blue,
  Fuchsia,
  Aqua,
  White,
};
const std::array<Rgb, 16>& classicPalette();

// Where one drawn glyph landed.
struct GlyphBox {
  int left, width;
};

class IndexedImage {
 public:
  IndexedImage(int width, int height, Colour background);

  int width() const { return width_; }
  int height() const { return height_; }
  // Row 0 is the top row.
  Colour at(int x, int y) const { return pixels_[index(x, y)]; }
  Rgb rgbAt(int x, int y) const { return classicPalette()[at(x, y)]; }

  void set(int x, int y, Colour colour);  // ignores points outside
  void fillRect(int left, int top, int width, int height, Colour colour);
  void border(Colour colour);
  // Draws `text` with its top edge at `top`, centred across the width.
  std::vector<GlyphBox> drawCentredText(const Font& font, std::string_view text, int top, Colour colour);

 private:
  std::size_t index(int x, int y) const { return static_cast<std::size_t>(y) * width_ + x; }

  int width_, height_;
  std::vector<Colour> pixels_;
};

}  // namespace tagcomponent::pictures
