#include "engine/DisplayConverter.h"

#include <gtest/gtest.h>

#include <climits>
#include <string>

#include "layout/FontDetails.h"
#include "platform/RasterDeviceContext.h"

namespace {

TEST(DisplayConverterMapping, RectangleTurnsToLogicalUnitsWithYUp) {
  const DisplayConverter converter;
  EXPECT_EQ(converter.MapRect(Rect{0, 0, 100, 50}), (Rect{0, 0, 100, -50}));
}

TEST(DisplayConverterMapping, ProductsTruncateTowardsZeroBeforeTheOffset) {
  DisplayConverter converter;
  converter.Scale = 0.5;
  converter.OriginX = 10;
  converter.OriginY = 20;
  converter.OffsetX = 100;
  converter.OffsetY = -50;

  EXPECT_EQ(converter.MapX(13), 101);
  EXPECT_EQ(converter.MapX(7), 99);
  EXPECT_EQ(converter.MapY(17), -49);
  EXPECT_EQ(converter.MapY(23), -51);
  EXPECT_EQ(converter.MapLength(101), 50);
  EXPECT_EQ(converter.MapLength(-101), -50);
  EXPECT_EQ(converter.MapRect(Rect{10, 20, 15, 31}), (Rect{100, -50, 102, -55}));
}

TEST(DisplayConverterMapping, ExtremeCoordinatesSaturateInsteadOfWrapping) {
  DisplayConverter converter;
  converter.Scale = 4.0;
  converter.OffsetX = 1000;
  EXPECT_EQ(converter.MapX(2000000000), INT_MAX);
  EXPECT_EQ(converter.MapY(2000000000), INT_MIN);
  EXPECT_EQ(converter.MapLength(-2e9), INT_MIN);
}

TEST(DisplayConverterFonts, DescriptionScalesThePointSizeAndKeepsTheStyle) {
  DisplayConverter converter;
  const FontDetails plain("000000", "Arial", 240, false, false);
  const FontDescription atOne = converter.DescribeFont(plain, plain.FontPoint);
  EXPECT_EQ(atOne.PointTenths, 240);
  EXPECT_EQ(atOne.Weight, 400);
  EXPECT_FALSE(atOne.Italic);
  EXPECT_EQ(atOne.FaceName, "Arial");

  converter.Scale = 0.37;
  const FontDetails styled("FF0000", "Liberation Serif", 100, true, true);
  const FontDescription zoomed = converter.DescribeFont(styled, 455);
  EXPECT_EQ(zoomed.PointTenths, 168);  // trunc(455 x 0.37) = trunc(168.35)
  EXPECT_EQ(zoomed.Weight, 700);
  EXPECT_TRUE(zoomed.Italic);
}

TEST(DisplayConverterFonts, FaceNameIsCutToThirtyOneCharacters) {
  const DisplayConverter converter;
  FontDetails font;
  font.FontName = std::string(40, 'x');
  EXPECT_EQ(converter.DescribeFont(font, 100).FaceName, std::string(31, 'x'));

  // A letter of two bytes counts once and is never split.
  std::string accented;
  for (int i = 0; i < 40; ++i) accented += "\xC3\xA9";
  font.FontName = accented;
  EXPECT_EQ(converter.DescribeFont(font, 100).FaceName, accented.substr(0, 62));
}

TEST(DisplayConverterFonts, SurfaceFontIsThePointSizeOnPaperAtTheZoom) {
  RasterDeviceContext dc(10, 10, 2540, 2540);
  const FontDetails font("000000", "Arial", 240, false, false);

  DisplayConverter converter;
  const SurfaceFont printed = converter.CreateFont(dc, font);
  EXPECT_EQ(printed.Description.PointTenths, 240);
  EXPECT_NEAR(printed.LogicalHeight, 240.0 / 720 * 254, 0.1);  // 24 pt in tenths of a mm

  converter.Scale = 0.5;
  const SurfaceFont zoomed = converter.CreateFont(dc, font);
  EXPECT_EQ(zoomed.Description.PointTenths, 120);
  EXPECT_NEAR(zoomed.LogicalHeight, 120.0 / 720 * 254, 0.1);
}

}  // namespace
