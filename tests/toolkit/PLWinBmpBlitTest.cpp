#include <gtest/gtest.h>

#include <QImage>
#include <cstdint>
#include <vector>

#include "BitmapTestSupport.h"
#include "platform/RasterDeviceContext.h"
#include "toolkit/PLWinBmp.h"

namespace {

constexpr QRgb kBackground = 0xFF808080;

// A surface of 254 pixels per inch, where one logical unit is one pixel, with logical (0, 0)
// at the bottom-left corner so that logical y counts rows up from the bottom edge.
class Surface {
 public:
  Surface() : dc_(12, 12, 254, 254, MakeColourRef(128, 128, 128)) {
    dc_.SetViewportOrigin(QPoint(0, 12));
  }
  RasterDeviceContext& Dc() { return dc_; }
  // The pixel at device column x and device row y, counted from the top.
  QRgb At(int x, int y) { return dc_.Image().pixel(x, y); }
  // How many pixels differ from the background.
  int Drawn() {
    const QImage image = dc_.Image();
    int count = 0;
    for (int y = 0; y < image.height(); ++y) {
      for (int x = 0; x < image.width(); ++x) count += image.pixel(x, y) != kBackground;
    }
    return count;
  }

 private:
  RasterDeviceContext dc_;
};

QRgb Rgb(const PLPixel32& p) { return qRgb(p.Red, p.Green, p.Blue); }

// A 32-bit picture whose every pixel has a colour of its own.
PLWinBmp Picture(int width, int height) {
  PLWinBmp picture;
  picture.Create(width, height, 32, false, false);
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      SetPixel32(picture, x, y,
                 {static_cast<std::uint8_t>(10 + x), static_cast<std::uint8_t>(50 + y), 200, 0});
    }
  }
  return picture;
}

TEST(Blit, PutsRowZeroAtTheTop) {
  const PLWinBmp picture = Picture(3, 2);
  Surface surface;
  picture.Blit(surface.Dc(), 2, 3, RasterOp::SrcCopy);
  // Logical rows 3 to 5 are device rows 9 down to 7; the picture's top row is the upper one.
  for (int y = 0; y < 2; ++y) {
    for (int x = 0; x < 3; ++x) {
      EXPECT_EQ(surface.At(2 + x, 7 + y), Rgb(Pixel32(picture, x, y))) << x << "," << y;
    }
  }
  EXPECT_EQ(surface.Drawn(), 6);
}

TEST(Blit, StretchedDownwardsRepeatsWholePixels) {
  const PLWinBmp picture = Picture(3, 2);
  Surface surface;
  picture.BlitStretched(surface.Dc(), 1, 10, 6, -4, RasterOp::SrcCopy);
  for (int y = 0; y < 4; ++y) {
    for (int x = 0; x < 6; ++x) {
      EXPECT_EQ(surface.At(1 + x, 2 + y), Rgb(Pixel32(picture, x / 2, y / 2))) << x << "," << y;
    }
  }
  EXPECT_EQ(surface.Drawn(), 24);
}

TEST(Blit, ScaledTruncatesTheSize) {
  const PLWinBmp picture = Picture(5, 5);
  Surface surface;
  picture.BlitScaled(surface.Dc(), 0, 0, 0.5, RasterOp::SrcCopy);
  EXPECT_EQ(surface.Drawn(), 4);
  EXPECT_NE(surface.At(1, 10), kBackground);
  EXPECT_EQ(surface.At(2, 10), kBackground);
  EXPECT_EQ(surface.At(1, 9), kBackground);
}

TEST(Blit, PartCopiesUnscaledBelowItsCorner) {
  const PLWinBmp picture = Picture(4, 3);
  Surface surface;
  picture.BlitPart(surface.Dc(), 5, 8, 1, 1, 3, 3);
  // Logical y 8 is device row 4; the part hangs down over rows 4 and 5.
  for (int y = 0; y < 2; ++y) {
    for (int x = 0; x < 2; ++x) {
      EXPECT_EQ(surface.At(5 + x, 4 + y), Rgb(Pixel32(picture, 1 + x, 1 + y))) << x << "," << y;
    }
  }
  EXPECT_EQ(surface.Drawn(), 4);
}

TEST(Blit, PartsReachingOutsideThePictureAreClipped) {
  const PLWinBmp picture = Picture(4, 3);
  Surface surface;
  picture.BlitPart(surface.Dc(), 5, 8, -1, -1, 2, 9);
  // What remains is columns 0 and 1, rows 0 to 2, one unit right of and below the corner.
  EXPECT_EQ(surface.At(6, 5), Rgb(Pixel32(picture, 0, 0)));
  EXPECT_EQ(surface.At(7, 7), Rgb(Pixel32(picture, 1, 2)));
  EXPECT_EQ(surface.Drawn(), 6);
  picture.BlitPart(surface.Dc(), 0, 0, 4, 0, 9, 3);
  EXPECT_EQ(surface.Drawn(), 6);
}

TEST(Blit, PaletteBitmapsDrawTheirColourTable) {
  PLWinBmp indexed;
  indexed.Create(3, 1, 8, false, false);
  indexed.Palette()[5] = {0, 0, 255, 0};
  indexed.RowTable()[0][1] = 5;
  indexed.RowTable()[0][2] = 200;
  PLWinBmp mono;
  const std::vector<std::uint8_t> bits = {0x40};
  mono.Create(3, 1, 1, false, false, bits.data());
  Surface surface;
  indexed.Blit(surface.Dc(), 0, 0, RasterOp::SrcCopy);
  mono.Blit(surface.Dc(), 0, 5, RasterOp::SrcCopy);
  EXPECT_EQ(surface.At(0, 11), qRgb(0, 0, 0));
  EXPECT_EQ(surface.At(1, 11), qRgb(255, 0, 0));
  EXPECT_EQ(surface.At(2, 11), qRgb(200, 200, 200));
  EXPECT_EQ(surface.At(0, 6), qRgb(0, 0, 0));
  EXPECT_EQ(surface.At(1, 6), qRgb(255, 255, 255));
  EXPECT_EQ(surface.At(2, 6), qRgb(0, 0, 0));
}

TEST(Blit, MaskAndThenPictureLeaveTransparentPixelsAlone) {
  // The transparent drawing of logos: AND a mask that is white where the picture is
  // transparent, then OR the picture with black there.
  PLWinBmp mask;
  mask.Create(2, 1, 32, false, false);
  SetPixel32(mask, 0, 0, {255, 255, 255, 0});
  PLWinBmp picture;
  picture.Create(2, 1, 32, false, false);
  SetPixel32(picture, 1, 0, {30, 60, 90, 0});
  Surface surface;
  mask.Blit(surface.Dc(), 0, 0, RasterOp::SrcAnd);
  picture.Blit(surface.Dc(), 0, 0, RasterOp::SrcPaint);
  EXPECT_EQ(surface.At(0, 11), kBackground);
  EXPECT_EQ(surface.At(1, 11), qRgb(90, 60, 30));
}

}  // namespace
