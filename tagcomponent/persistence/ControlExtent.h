#pragma once
#include <cstdint>

namespace lyrebox {

// A size in HIMETRIC (1/100 mm), the unit in which containers keep a control's extent.
struct HimetricSize {
  std::int32_t width = 0;
  std::int32_t height = 0;

  friend bool operator==(const HimetricSize&, const HimetricSize&) = default;
};

// The control's extent as its container keeps it, with the control's resize handler
// answering every change: the control always asks for 500 x 500 twips, whatever
// size a host or designer requested. A container that lays out on a screen rounds
// each side to whole pixels (at 96 dpi, 500 twips become 33 pixels, 495 twips,
// kept as 873 HIMETRIC); one without a resolution keeps the size as asked.
class ControlExtent {
 public:
  static constexpr int kSideTwips = 500;

  // `pixelsPerInch` 0: the container keeps sizes exactly.
  explicit ControlExtent(int pixelsPerInch = 0);

  // A host or designer sizes the control (twips, or a HIMETRIC extent such as one
  // restored from a window description); the resize handler then runs. Negative
  // sides count as 0.
  void requestTwips(int width, int height);
  void requestHimetric(HimetricSize size);

  HimetricSize himetric() const { return extent_; }
  // The extent in twips, to the nearest twip.
  int widthTwips() const;
  int heightTwips() const;
  // How often the resize handler ran, to show that setting the size settles.
  int resizeCount() const { return resizes_; }

 private:
  void UserControl_Resize();
  void setHeightTwips(int twips);
  void setWidthTwips(int twips);
  // Stores the container's rounding of `size`; a change raises the resize handler.
  void setExtent(HimetricSize size);
  std::int32_t containerRounding(std::int64_t himetric) const;

  int pixelsPerInch_;
  HimetricSize extent_;
  bool sized_ = false;
  int resizes_ = 0;
};

}  // namespace lyrebox
