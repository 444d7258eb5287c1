#pragma once
// The component's three pictures.
#include <tagcomponent/pictures/IndexedImage.h>

namespace tagcomponent::pictures {

// 16 x 15, for the toolbox: ID3 in yellow on a red field, blue marks below.
IndexedImage toolboxPicture();
// 32 x 32, the About box's image: ID3 in yellow and "tags" in blue on red,
// inside a black border.
IndexedImage aboutPicture();
// 32 x 32, the icon: ID3 in white above "[r/w]" in yellow on red, inside a
// black border.
IndexedImage iconPicture();

}  // namespace tagcomponent::pictures
