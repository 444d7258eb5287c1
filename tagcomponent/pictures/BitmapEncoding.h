#pragma once
// The classic uncompressed picture files: BMP with 24 bits or 4 bits per pixel
// and a 16-colour icon. Rows are stored bottom-up, each padded to 32 bits.
#include <cstdint>
#include <vector>

#include <tagcomponent/pictures/IndexedImage.h>

namespace tagcomponent::pictures {

std::vector<std::uint8_t> encodeBmp24(const IndexedImage& image);
// The palette is the classic one, all 16 entries written.
std::vector<std::uint8_t> encodeBmp16Colour(const IndexedImage& image);
// One image, fully opaque (its AND mask is all zero).
std::vector<std::uint8_t> encodeIco16Colour(const IndexedImage& image);

}  // namespace tagcomponent::pictures
