#include "ControlExtent.h"

#include <algorithm>

namespace lyrebox {
namespace {

constexpr std::int64_t kTwipsPerInch = 1440;
constexpr std::int64_t kHimetricPerInch = 2540;
constexpr std::int64_t kLargestSide = 1'000'000'000;  // keeps every product below in 64 bits

// value * numerator / denominator, rounded half away from zero; value is never negative.
std::int64_t scaleRounded(std::int64_t value, std::int64_t numerator, std::int64_t denominator) {
  return (value * numerator * 2 + denominator) / (denominator * 2);
}

std::int64_t clampSide(std::int64_t side) { return std::clamp<std::int64_t>(side, 0, kLargestSide); }

std::int64_t himetricFromTwips(int twips) {
  return scaleRounded(clampSide(twips), kHimetricPerInch, kTwipsPerInch);
}

int twipsFromHimetric(std::int32_t himetric) {
  return static_cast<int>(scaleRounded(himetric, kTwipsPerInch, kHimetricPerInch));
}

}  // namespace

ControlExtent::ControlExtent(int pixelsPerInch) : pixelsPerInch_(std::max(pixelsPerInch, 0)) {}

void ControlExtent::requestTwips(int width, int height) {
  setExtent({containerRounding(himetricFromTwips(width)), containerRounding(himetricFromTwips(height))});
}

void ControlExtent::requestHimetric(HimetricSize size) {
  setExtent({containerRounding(clampSide(size.width)), containerRounding(clampSide(size.height))});
}

int ControlExtent::widthTwips() const { return twipsFromHimetric(extent_.width); }
int ControlExtent::heightTwips() const { return twipsFromHimetric(extent_.height); }

// The control keeps one size; setting it raises this handler again, and that pass
// finds the size unchanged, so the notifications end.
void ControlExtent::UserControl_Resize() {
  ++resizes_;
  setHeightTwips(kSideTwips);
  setWidthTwips(kSideTwips);
}

void ControlExtent::setHeightTwips(int twips) {
  setExtent({extent_.width, containerRounding(himetricFromTwips(twips))});
}

void ControlExtent::setWidthTwips(int twips) {
  setExtent({containerRounding(himetricFromTwips(twips)), extent_.height});
}

void ControlExtent::setExtent(HimetricSize size) {
  // The first sizing always reaches the handler, even one to the size held before.
  if (sized_ && size == extent_) return;
  sized_ = true;
  extent_ = size;
  UserControl_Resize();
}

std::int32_t ControlExtent::containerRounding(std::int64_t himetric) const {
  if (pixelsPerInch_ == 0) return static_cast<std::int32_t>(std::min<std::int64_t>(himetric, kLargestSide));
  const std::int64_t pixels = scaleRounded(std::min(himetric, kLargestSide), pixelsPerInch_, kHimetricPerInch);
  return static_cast<std::int32_t>(scaleRounded(pixels, kHimetricPerInch, pixelsPerInch_));
}

}  // namespace lyrebox
