#include <administrator/window/Lyrebox1SavedProperties.h>
#include <automation/PropertyBagText.h>
#include <tagcomponent/persistence/ControlExtent.h>
#include <tagcomponent/persistence/PropertyKeys.h>

#include <gtest/gtest.h>

#include <climits>

namespace {

using lyrebox::ControlExtent;
using lyrebox::HimetricSize;

const struct {
  int width;
  int height;
} kRequests[] = {{0, 0}, {1, 1}, {500, 500}, {495, 495}, {10000, 300}, {-5, 2000}, {INT_MAX, INT_MIN}};

TEST(ControlExtent, AnyRequestEndsAt500By500Twips) {
  for (const auto& request : kRequests) {
    ControlExtent extent;
    extent.requestTwips(request.width, request.height);
    EXPECT_EQ(extent.widthTwips(), 500);
    EXPECT_EQ(extent.heightTwips(), 500);
    EXPECT_EQ(extent.himetric(), (HimetricSize{882, 882}));
    EXPECT_LE(extent.resizeCount(), 3);  // the handler's own sizing settles
  }
}

TEST(ControlExtent, AContainerRoundingToPixelsKeepsTheNearestWholePixels) {
  const struct {
    int pixelsPerInch;
    HimetricSize kept;
    int twips;
  } containers[] = {{96, {873, 873}, 495}, {120, {889, 889}, 504}};
  for (const auto& container : containers) {
    for (const auto& request : kRequests) {
      ControlExtent extent(container.pixelsPerInch);
      extent.requestTwips(request.width, request.height);
      EXPECT_EQ(extent.himetric(), container.kept);
      EXPECT_EQ(extent.widthTwips(), container.twips);
      extent.requestHimetric({100000, 1});
      EXPECT_EQ(extent.himetric(), container.kept);
    }
  }
}

TEST(ControlExtent, TheAdministratorsStoredExtentNeedsNoCorrection) {
  const auto parsed = automation::parseBagText(mervalis::kLyrebox1SavedProperties);
  ASSERT_FALSE(parsed.error);
  const auto* x = automation::findBagEntry(parsed.entries, lyrebox::bagkey::kExtentX);
  const auto* y = automation::findBagEntry(parsed.entries, lyrebox::bagkey::kExtentY);
  ASSERT_TRUE(x && y);
  ControlExtent extent(96);
  extent.requestHimetric({x->value.i4(), y->value.i4()});
  EXPECT_EQ(extent.himetric(), (HimetricSize{873, 873}));
  EXPECT_EQ(extent.resizeCount(), 1);  // the handler ran once and found the size right
}

}  // namespace
