#pragma once
// Pixel fonts with just the characters the component's pictures need. A glyph
// is drawn as rows of text: '#' is ink, anything else is background.
#include <stdexcept>
#include <string_view>
#include <vector>

namespace tagcomponent::pictures {

struct Glyph {
  char character;
  std::vector<std::string_view> rows;  // all of one width, as many as the font is high

  int width() const { return static_cast<int>(rows.front().size()); }
};

struct Font {
  int spacing;  // background columns between two glyphs
  std::vector<Glyph> glyphs;

  const Glyph& glyph(char c) const;
  int textWidth(std::string_view text) const;
};

// Bold capitals with two-pixel strokes, 11 rows: "I", "D", "3".
const Font& boldCapitals();
// Small letters and marks, 9 rows with ascender and descender: "tags", "[r/w]".
const Font& smallLetters();
// Capitals for the 16-pixel toolbox picture, 7 rows: "I", "D", "3".
const Font& toolboxCapitals();

}  // namespace tagcomponent::pictures
