#pragma once
#include <QRect>
#include <QWidget>
#include <cmath>

namespace platform::ui {

// Layouts are kept in twips (1/1440 inch): 15 twips are one pixel at 96 dots per
// inch, scaled by the screen's logical DPI so the layout keeps its size in inches.
inline int twipsToPixels(int twips, double logicalDpi) { return static_cast<int>(twips * logicalDpi / 1440.0 + 0.5); }

inline QRect twipsRect(const QWidget& widget, int left, int top, int width, int height) {
  const double dpi = widget.logicalDpiX();
  return QRect(twipsToPixels(left, dpi), twipsToPixels(top, dpi), twipsToPixels(width, dpi),
               twipsToPixels(height, dpi));
}

// Pixels per twip along each axis: the screen's logical DPI, times how much larger
// the window's font is than the one the layout was made for (FontScale.h).
class TwipsScale {
 public:
  explicit TwipsScale(double logicalDpi, double fontScaleX = 1.0, double fontScaleY = 1.0)
      : perTwipX_(logicalDpi / 1440.0 * fontScaleX), perTwipY_(logicalDpi / 1440.0 * fontScaleY) {}

  int x(int twips) const { return static_cast<int>(std::lround(twips * perTwipX_)); }
  int y(int twips) const { return static_cast<int>(std::lround(twips * perTwipY_)); }
  // Both edges are rounded, not the size, so controls that touch in twips still touch.
  QRect rect(int left, int top, int width, int height) const {
    return QRect(QPoint(x(left), y(top)), QPoint(x(left + width) - 1, y(top + height) - 1));
  }
  TwipsScale grownBy(double factor) const {
    TwipsScale grown = *this;
    grown.perTwipX_ *= factor;
    grown.perTwipY_ *= factor;
    return grown;
  }

 private:
  double perTwipX_, perTwipY_;
};

}  // namespace platform::ui
