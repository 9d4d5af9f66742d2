// The placeholder portrait of a subject without a picture: a light grey backdrop filling the
// picture rectangle and a lighter head-and-shoulders figure standing on its bottom edge.
#include "engine/PlaceholderDrawing.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "SurfaceTestSupport.h"
#include "engine/DisplayConverter.h"
#include "platform/RasterDeviceContext.h"

namespace {

TEST(PlaceholderDrawing, AHeadAndShouldersFigureStandsOnTheBackdropInsideThePicture) {
  // The figure is measured in units of its width: min(width, height / 1.25). Its head's centre is
  // 0.8 units above its feet and its shoulders fill 0.94 of a unit across, at any resolution.
  const struct {
    const char* what;
    Rect picture;  // layout units
    int dpi;
  } cases[] = {
      {"a portrait cell", {40, 30, 120, 130}, 254},
      {"the same at 600 dpi", {40, 30, 120, 130}, 600},
      {"a landscape cell, the figure centred", {20, 40, 220, 140}, 254},
      {"a narrow cell", {60, 20, 100, 180}, 254},
      {"a main image", {10, 10, 410, 510}, 100},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    const auto pixel = [&c](double units) {
      return static_cast<int>(std::lround(units * c.dpi / 254));
    };
    RasterDeviceContext dc(pixel(450), pixel(550), c.dpi, c.dpi);
    DrawPlaceholder(dc, DisplayConverter(), c.picture);
    const QImage image = dc.Image();
    const Rect& r = c.picture;
    const double unit = std::min<double>(r.Width(), r.Height() / 1.25);
    const double centre = (r.Left + r.Right) / 2.0;
    const auto at = [&](double x, double y) { return ColourAt(image, pixel(x), pixel(y)); };

    // The backdrop in the corners and beside the neck; nothing outside the picture. Points near
    // an edge lie three pixels from it.
    const double edge = 3 * 254.0 / c.dpi;
    EXPECT_EQ(at(r.Left + edge, r.Top + edge), PlaceholderBackdrop);
    EXPECT_EQ(at(r.Right - edge, r.Top + edge), PlaceholderBackdrop);
    EXPECT_EQ(at(centre + 0.3 * unit, r.Bottom - 0.6 * unit), PlaceholderBackdrop);
    EXPECT_EQ(at(centre - 0.3 * unit, r.Bottom - 0.6 * unit), PlaceholderBackdrop);
    EXPECT_EQ(at(r.Left - edge, (r.Top + r.Bottom) / 2.0), kWhite);
    EXPECT_EQ(at(r.Right + edge, (r.Top + r.Bottom) / 2.0), kWhite);
    EXPECT_EQ(at(centre, r.Bottom + edge), kWhite);
    EXPECT_EQ(at(centre, r.Top - edge), kWhite);

    // The head, the neck and the shoulders in the figure's tone.
    EXPECT_EQ(at(centre, r.Bottom - 0.8 * unit), PlaceholderFigure);
    EXPECT_EQ(at(centre, r.Bottom - 0.5 * unit), PlaceholderFigure);
    EXPECT_EQ(at(centre - 0.4 * unit, r.Bottom - 0.1 * unit), PlaceholderFigure);
    EXPECT_EQ(at(centre + 0.4 * unit, r.Bottom - 0.1 * unit), PlaceholderFigure);
    // Above the head the backdrop again.
    EXPECT_EQ(at(centre, r.Bottom - 1.1 * unit), PlaceholderBackdrop);

    // The figure is as much on the left of the centre line as on the right, give or take the
    // pixels its edges round to.
    int left = 0;
    int right = 0;
    for (int y = pixel(r.Top); y < pixel(r.Bottom); ++y) {
      for (int x = pixel(r.Left); x < pixel(r.Right); ++x) {
        if (ColourAt(image, x, y) != PlaceholderFigure) continue;
        (x < pixel(centre) ? left : right) += 1;
      }
    }
    EXPECT_GT(left, 0);
    EXPECT_NEAR(left, right, (left + right) / 20);
  }
}

TEST(PlaceholderDrawing, APictureWithoutAreaDrawsNothing) {
  for (const Rect& empty : {Rect{50, 50, 50, 150}, Rect{50, 50, 150, 50}, Rect{150, 50, 50, 150}}) {
    RasterDeviceContext dc(200, 200, 254, 254);
    DrawPlaceholder(dc, DisplayConverter(), empty);
    const QImage image = dc.Image();
    for (int y = 0; y < image.height(); ++y) {
      for (int x = 0; x < image.width(); ++x) ASSERT_EQ(ColourAt(image, x, y), kWhite);
    }
  }
}

}  // namespace
