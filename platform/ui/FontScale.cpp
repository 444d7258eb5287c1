#include <platform/ui/FontScale.h>

#include <QFontMetricsF>
#include <algorithm>

namespace platform::ui {
namespace {
// The layout font's average character width and height, in points (6 by 13 pixels
// at 96 dots per inch), so that they follow the screen's DPI as the font does.
constexpr double kLayoutFontWidthPoints = 6.0 * 72.0 / 96.0;
constexpr double kLayoutFontHeightPoints = 13.0 * 72.0 / 96.0;
}  // namespace

QSizeF fontScale(const QFont& font, double logicalDpi) {
  const QFontMetricsF metrics(font);
  const QString letters = QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz");
  const double averageWidth = metrics.horizontalAdvance(letters) / letters.size();
  const double pointsToPixels = logicalDpi / 72.0;
  return {std::max(1.0, averageWidth / (kLayoutFontWidthPoints * pointsToPixels)),
          std::max(1.0, metrics.height() / (kLayoutFontHeightPoints * pointsToPixels))};
}

}  // namespace platform::ui
