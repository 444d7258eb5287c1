#pragma once
#include <QRect>
#include <QWidget>

namespace platform::ui {

// Layouts are kept in twips (1/1440 inch): 15 twips are one pixel at 96 dots per
// inch, scaled by the screen's logical DPI so the layout keeps its size in inches.
inline int twipsToPixels(int twips, double logicalDpi) { return static_cast<int>(twips * logicalDpi / 1440.0 + 0.5); }

inline QRect twipsRect(const QWidget& widget, int left, int top, int width, int height) {
  const double dpi = widget.logicalDpiX();
  return QRect(twipsToPixels(left, dpi), twipsToPixels(top, dpi), twipsToPixels(width, dpi),
               twipsToPixels(height, dpi));
}

}  // namespace platform::ui
