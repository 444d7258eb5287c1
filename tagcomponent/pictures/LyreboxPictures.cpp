#include <tagcomponent/pictures/LyreboxPictures.h>

namespace tagcomponent::pictures {
namespace {

// Both 32-pixel pictures share one layout: a line of bold capitals, then a
// line of small letters whose x-height sits two rows below its top.
constexpr int kCapitalsTop = 4;
constexpr int kSmallLineTop = 18;

IndexedImage framedRedSquare() {
  IndexedImage image(32, 32, Red);
  image.border(Black);
  return image;
}

}  // namespace

IndexedImage toolboxPicture() {
  IndexedImage image(16, 15, Red);
  const auto letters = image.drawCentredText(toolboxCapitals(), "ID3", 2, Yellow);
  for (const GlyphBox& letter : letters) image.fillRect(letter.left, 11, letter.width, 2, Blue);
  return image;
}

IndexedImage aboutPicture() {
  IndexedImage image = framedRedSquare();
  image.drawCentredText(boldCapitals(), "ID3", kCapitalsTop, Yellow);
  image.drawCentredText(smallLetters(), "tags", kSmallLineTop, Blue);
  return image;
}

IndexedImage iconPicture() {
  IndexedImage image = framedRedSquare();
  image.drawCentredText(boldCapitals(), "ID3", kCapitalsTop, White);
  image.drawCentredText(smallLetters(), "[r/w]", kSmallLineTop, Yellow);
  return image;
}

}  // namespace tagcomponent::pictures
