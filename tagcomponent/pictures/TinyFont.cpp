#include <tagcomponent/pictures/TinyFont.h>

#include <string>

namespace tagcomponent::pictures {

const Glyph& Font::glyph(char c) const {
  for (const Glyph& g : glyphs)
    if (g.character == c) return g;
  throw std::invalid_argument(std::string("the font has no glyph for '") + c + "'");
}

int Font::textWidth(std::string_view text) const {
  int width = 0;
  for (char c : text) width += glyph(c).width() + spacing;
  return text.empty() ? 0 : width - spacing;
}

// The glyphs are drawn in the source, a row of pixels a line.
// clang-format off
const Font& boldCapitals() {
  static const Font font{2, {
      {'I', {"######",
             "######",
             "..##..",
             "..##..",
             "..##..",
             "..##..",
             "..##..",
             "..##..",
             "..##..",
             "######",
             "######"}},
      {'D', {"#####..",
             "######.",
             "##..###",
             "##...##",
             "##...##",
             "##...##",
             "##...##",
             "##...##",
             "##..###",
             "######.",
             "#####.."}},
      {'3', {".#####.",
             "#######",
             "##...##",
             ".....##",
             ".....##",
             "..####.",
             ".....##",
             ".....##",
             "##...##",
             "#######",
             ".#####."}},
  }};
  return font;
}

const Font& smallLetters() {
  static const Font font{1, {
      {'t', {".#..",
             ".#..",
             "###.",
             ".#..",
             ".#..",
             ".#..",
             "..##",
             "....",
             "...."}},
      {'a', {"....",
             "....",
             ".##.",
             "...#",
             ".###",
             "#..#",
             ".###",
             "....",
             "...."}},
      {'g', {"....",
             "....",
             ".###",
             "#..#",
             "#..#",
             ".###",
             "...#",
             "#..#",
             ".##."}},
      {'s', {"....",
             "....",
             ".###",
             "#...",
             ".##.",
             "...#",
             "###.",
             "....",
             "...."}},
      {'r', {"....",
             "....",
             "#.##",
             "##..",
             "#...",
             "#...",
             "#...",
             "....",
             "...."}},
      {'w', {".....",
             ".....",
             "#...#",
             "#...#",
             "#.#.#",
             "#.#.#",
             ".#.#.",
             ".....",
             "....."}},
      {'/', {"...#",
             "...#",
             "..#.",
             "..#.",
             ".#..",
             ".#..",
             "#...",
             "#...",
             "...."}},
      {'[', {"##",
             "#.",
             "#.",
             "#.",
             "#.",
             "#.",
             "#.",
             "#.",
             "##"}},
      {']', {"##",
             ".#",
             ".#",
             ".#",
             ".#",
             ".#",
             ".#",
             ".#",
             "##"}},
  }};
  return font;
}

const Font& toolboxCapitals() {
  static const Font font{1, {
      {'I', {"###",
             ".#.",
             ".#.",
             ".#.",
             ".#.",
             ".#.",
             "###"}},
      {'D', {"###.",
             "#..#",
             "#..#",
             "#..#",
             "#..#",
             "#..#",
             "###."}},
      {'3', {"###.",
             "...#",
             "...#",
             ".##.",
             "...#",
             "...#",
             "###."}},
  }};
  return font;
}
// clang-format on

}  // namespace tagcomponent::pictures
