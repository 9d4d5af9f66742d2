#include "engine/FrameDrawing.h"

#include <gtest/gtest.h>

#include "SurfaceTestSupport.h"
#include "engine/DisplayConverter.h"
#include "layout/Montage.h"
#include "platform/RasterDeviceContext.h"

namespace {

ColourRef Grey(unsigned level) { return MakeColourRef(level, level, level); }

TEST(FrameColours, ShadedBandsLightenByTwentyThirtyAndTwentyPercent) {
  const FrameColours grey = ShadeFrame(Grey(100), true);
  EXPECT_EQ(grey.Top, Grey(100));
  EXPECT_EQ(grey.Left, Grey(120));
  EXPECT_EQ(grey.Right, Grey(156));
  EXPECT_EQ(grey.Bottom, Grey(187));

  // The default inner frame colour runs into the limit: 265 becomes 255.
  const FrameColours light = ShadeFrame(Grey(170), true);
  EXPECT_EQ(light.Left, Grey(204));
  EXPECT_EQ(light.Right, Grey(255));
  EXPECT_EQ(light.Bottom, Grey(255));

  const FrameColours black = ShadeFrame(0, true);
  EXPECT_EQ(black.Left, 0u);
  EXPECT_EQ(black.Bottom, 0u);
  // Each channel is lightened on its own.
  EXPECT_EQ(LightenColour(MakeColourRef(10, 100, 250), 1.2), MakeColourRef(12, 120, 255));

  const FrameColours flat = ShadeFrame(Grey(100), false);
  EXPECT_EQ(flat.Left, Grey(100));
  EXPECT_EQ(flat.Right, Grey(100));
  EXPECT_EQ(flat.Bottom, Grey(100));
}

TEST(FrameColours, ShadowGreyFollowsTheDepth) {
  EXPECT_EQ(ShadowColour(0), Grey(255));
  EXPECT_EQ(ShadowColour(10), Grey(127));
  EXPECT_EQ(ShadowColour(20), Grey(0));
}

TEST(FrameDrawing, ShadedFrameDrawsEachBandInItsColourInsideTheRectangle) {
  RasterDeviceContext dc(200, 200, 254, 254);
  DrawFrame(dc, DisplayConverter(), Rect{20, 20, 180, 180}, 10, Grey(100), true);
  const QImage image = dc.Image();

  // The band is 13 units thick (10 + 3): mid-points of each band, then the inside and outside.
  EXPECT_EQ(ColourAt(image, 100, 25), Grey(100));   // top
  EXPECT_EQ(ColourAt(image, 25, 100), Grey(120));   // left
  EXPECT_EQ(ColourAt(image, 174, 100), Grey(156));  // right
  EXPECT_EQ(ColourAt(image, 100, 174), Grey(187));  // bottom
  EXPECT_EQ(ColourAt(image, 100, 34), kWhite);
  EXPECT_EQ(ColourAt(image, 34, 100), kWhite);
  EXPECT_EQ(ColourAt(image, 100, 100), kWhite);
  EXPECT_EQ(ColourAt(image, 19, 100), kWhite);
  EXPECT_EQ(ColourAt(image, 100, 19), kWhite);
  EXPECT_EQ(ColourAt(image, 181, 100), kWhite);
}

TEST(FrameDrawing, FrameWiderThanHalfItsRectangleFillsItWithoutHoles) {
  RasterDeviceContext dc(200, 200, 254, 254);
  const ColourRef blue = MakeColourRef(0, 0, 200);
  DrawFrame(dc, DisplayConverter(), Rect{50, 70, 150, 130}, 4000000000u, blue, false);
  const QImage image = dc.Image();

  EXPECT_EQ(InkBox(image, image.rect(), kWhite), QRect(QPoint(50, 70), QPoint(150, 129)));
  for (int y = 70; y < 130; ++y) {
    for (int x = 50; x < 150; ++x) ASSERT_EQ(ColourAt(image, x, y), blue) << x << "," << y;
  }
}

TEST(FrameDrawing, InsideOutRectangleDrawsNothing) {
  RasterDeviceContext dc(100, 100, 254, 254);
  DrawFrame(dc, DisplayConverter(), Rect{80, 80, 20, 20}, 10, 0, false);
  const QImage image = dc.Image();
  EXPECT_TRUE(InkBox(image, image.rect(), kWhite).isEmpty());
}

TEST(DropShadowDrawing, StripsFallBelowAndToTheChosenSide) {
  Montage layout;
  layout.DropShadowDepth = 20;
  const Rect frame{50, 50, 150, 150};
  {
    RasterDeviceContext dc(200, 200, 254, 254);
    DrawDropShadow(dc, DisplayConverter(), layout, frame, 10);
    const QImage image = dc.Image();
    // Side strip x 147..160 from y 60; bottom strip y 147..160 from x 60.
    EXPECT_EQ(InkBox(image, image.rect(), kWhite), QRect(QPoint(60, 60), QPoint(159, 159)));
    EXPECT_EQ(ColourAt(image, 155, 100), 0u);
    EXPECT_EQ(ColourAt(image, 100, 155), 0u);
    EXPECT_EQ(ColourAt(image, 155, 59), kWhite);
    EXPECT_EQ(ColourAt(image, 59, 155), kWhite);
    EXPECT_EQ(ColourAt(image, 100, 100), kWhite);
  }
  layout.DropShadowRight = false;
  layout.DropShadowDepth = 10;
  {
    RasterDeviceContext dc(200, 200, 254, 254);
    DrawDropShadow(dc, DisplayConverter(), layout, frame, 10);
    const QImage image = dc.Image();
    EXPECT_EQ(InkBox(image, image.rect(), kWhite), QRect(QPoint(40, 60), QPoint(139, 159)));
    EXPECT_EQ(ColourAt(image, 45, 100), Grey(127));
  }
}

TEST(DropShadowDrawing, ShadowWiderThanTheImageLeavesOutTheInsideOutStrip) {
  Montage layout;
  layout.DropShadowDepth = 20;
  RasterDeviceContext dc(400, 400, 254, 254);
  DrawDropShadow(dc, DisplayConverter(), layout, Rect{50, 50, 150, 150}, 200);
  const QImage image = dc.Image();
  // Only the side strip is left: the bottom one would run from x 250 back to 150.
  EXPECT_EQ(InkBox(image, image.rect(), kWhite), QRect(QPoint(147, 250), QPoint(349, 349)));
}

}  // namespace
