#include "shell/PreviewGeometry.h"

#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <limits>
#include <ostream>

namespace {

const Rect kTenByEight{0, 0, 2540, 2032};
constexpr double kInfinity = std::numeric_limits<double>::infinity();
// The largest zoom of the ten by eight page: its width at 2^24 logical units.
constexpr double kLargest = 16777216.0 / 2540;

struct ZoomCase {
  Rect page;
  double zoom;
  double limited;
};

void PrintTo(const ZoomCase& c, std::ostream* out) {
  *out << "zoom " << c.zoom << " of " << c.page.Width() << " x " << c.page.Height();
}

class PreviewGeometryZoom : public testing::TestWithParam<ZoomCase> {};

TEST_P(PreviewGeometryZoom, IsHeldBetweenTheLimits) {
  const ZoomCase& c = GetParam();
  EXPECT_EQ(PreviewGeometry::Limit(c.zoom, c.page), c.limited);
  // The page's longer side never passes 2^24 units at the limited zoom.
  const PreviewGeometry geometry = PreviewGeometry::Of(c.page, c.limited, 0, 0);
  EXPECT_LE(std::max(geometry.ExtentWidth, geometry.ExtentHeight), 1 << 24);
}

INSTANTIATE_TEST_SUITE_P(
    Limits, PreviewGeometryZoom,
    testing::Values(
        ZoomCase{kTenByEight, 1.0, 1.0}, ZoomCase{kTenByEight, 1e-4, 1e-4},
        ZoomCase{kTenByEight, 0.99e-4, 1e-4}, ZoomCase{kTenByEight, 1.01e-4, 1.01e-4},
        ZoomCase{kTenByEight, 0.0, 1e-4}, ZoomCase{kTenByEight, -1.0, 1e-4},
        ZoomCase{kTenByEight, std::nan(""), 1e-4}, ZoomCase{kTenByEight, -kInfinity, 1e-4},
        ZoomCase{kTenByEight, kLargest, kLargest}, ZoomCase{kTenByEight, 6605.0, 6605.0},
        ZoomCase{kTenByEight, 6606.0, kLargest}, ZoomCase{kTenByEight, kInfinity, kLargest},
        // The longer side sets the limit, whichever it is.
        ZoomCase{Rect{0, 0, 2032, 2540}, 1e9, kLargest}, ZoomCase{Rect{0, 0, 1 << 24, 1}, 1.0, 1.0},
        ZoomCase{Rect{0, 0, 1 << 24, 1}, 1.5, 1.0},
        ZoomCase{Rect{0, 0, 1, (1 << 24) + 1}, 1.0, 16777216.0 / 16777217.0},
        // An empty page counts as one unit each way.
        ZoomCase{Rect{0, 0, 0, 0}, 1e9, 16777216.0},
        ZoomCase{Rect{0, 0, INT_MAX, INT_MAX}, 1e-9, 1e-4},
        ZoomCase{Rect{0, 0, INT_MAX, INT_MAX}, 1.0, 16777216.0 / INT_MAX}));

TEST(PreviewGeometryPixels, RoundToTheNearestPixelHalvesAwayFromZero) {
  const struct {
    std::int64_t logical;
    int dpi;
    std::int64_t pixels;
  } cases[] = {{254, 96, 96}, {127, 96, 48},
               {1, 96, 0},    {2, 96, 1},
               {3, 96, 1},    {1, 127, 1},
               {-1, 127, -1}, {3, 127, 2},
               {-3, 127, -2}, {1, 126, 0},
               {0, 0, 0},     {254, 0, 1},
               {254, -5, 1},  {1 << 24, 300, 19815609}};
  for (const auto& c : cases) {
    EXPECT_EQ(PreviewGeometry::Pixels(c.logical, c.dpi), c.pixels) << c.logical << " at " << c.dpi;
  }
}

TEST(PreviewGeometryPixels, LogicalUnitsRoundAndSaturate) {
  const struct {
    int pixels, dpi, logical;
  } cases[] = {{96, 96, 254},         {1, 96, 3},    {1, 508, 1},
               {1, 509, 0},           {-1, 508, -1}, {INT_MAX, 1, INT_MAX},
               {INT_MIN, 1, INT_MIN}, {5, 0, 1270}};
  for (const auto& c : cases) {
    EXPECT_EQ(PreviewGeometry::Logical(c.pixels, c.dpi), c.logical) << c.pixels << " at " << c.dpi;
  }
}

TEST(PreviewGeometryCentring, SmallerPagesAreCentredWithTheSpareUnitOnTheFarSide) {
  const struct {
    Rect page;
    double zoom;
    int clientWidth, clientHeight;
    PreviewGeometry expected;
  } cases[] = {
      {kTenByEight, 0.25, 1000, 600, {635, 508, 182, -46}},
      {kTenByEight, 0.25, 1001, 601, {635, 508, 183, -46}},
      {kTenByEight, 0.25, 635, 508, {635, 508, 0, 0}},  // exactly the client: no offset
      {kTenByEight, 0.25, 636, 509, {635, 508, 0, 0}},  // one unit more: half a unit is none
      {kTenByEight, 0.25, 637, 510, {635, 508, 1, -1}},
      {kTenByEight, 1.0, 500, 400, {2540, 2032, 0, 0}},  // larger: it scrolls from 0
      {Rect{0, 0, 3, 3}, 0.5, 10, 10, {1, 1, 4, -4}},    // 1.5 units become 1
      {Rect{0, 0, 5, -5}, 1.0, 10, 10, {5, 0, 2, -5}},   // an inverted side has no extent
  };
  for (const auto& c : cases) {
    const PreviewGeometry geometry =
        PreviewGeometry::Of(c.page, c.zoom, c.clientWidth, c.clientHeight);
    SCOPED_TRACE(testing::Message() << c.clientWidth << " x " << c.clientHeight);
    EXPECT_EQ(geometry.ExtentWidth, c.expected.ExtentWidth);
    EXPECT_EQ(geometry.ExtentHeight, c.expected.ExtentHeight);
    EXPECT_EQ(geometry.OffsetX, c.expected.OffsetX);
    EXPECT_EQ(geometry.OffsetY, c.expected.OffsetY);
  }
}

}  // namespace
