#pragma once
#include <QFont>
#include <QSizeF>

namespace platform::ui {

// How much larger a font is than the one twips layouts are made for, measured as
// dialog units measure a dialog's font: its average character width (over the
// letters A-Z and a-z) and its height, each against the layout font's at the same
// logical DPI. The layout font has 6 by 13 pixels at 96 dots per inch. Neither
// ratio goes below 1: controls keep at least their size in the layout, since their
// frames and padding do not shrink with a smaller font.
QSizeF fontScale(const QFont& font, double logicalDpi);

}  // namespace platform::ui
