#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "BitmapTestSupport.h"
#include "support/Raised.h"
#include "toolkit/PLAnyBmp.h"
#include "toolkit/PLFilterContrast.h"
#include "toolkit/PLFilterCrop.h"
#include "toolkit/PLFilterGrayscale.h"
#include "toolkit/PLHsvConvert.h"
#include "toolkit/PLTextException.h"
#include "toolkit/PLWinBmp.h"

namespace {

void ExpectCode(int code, auto&& action) {
  const PLTextException e = Raised<PLTextException>(action);
  EXPECT_EQ(e.Code(), code) << e.Message();
}

TEST(Crop, CutsTheRectangleOut) {
  PLWinBmp picture;
  picture.Create(200, 100, 32, false, false, nullptr, 0, {72, 72});
  FillPattern(picture);
  PLAnyBmp cut;
  PLFilterCrop(10, 20, 110, 70).FilterInto(picture, cut);
  ASSERT_EQ(cut.GetSize(), (PLPoint{100, 50}));
  EXPECT_EQ(cut.Resolution(), (PLPoint{72, 72}));
  EXPECT_EQ(Pixel32(cut, 0, 0), Pixel32(picture, 10, 20));
  EXPECT_EQ(Pixel32(cut, 99, 49), Pixel32(picture, 109, 69));
  EXPECT_EQ(Pixel32(cut, 37, 11), Pixel32(picture, 47, 31));

  picture.ApplyFilter(PLFilterCrop(10, 20, 110, 70));
  EXPECT_TRUE(SamePixels(picture, cut));
  EXPECT_EQ(picture.DibBlock().size(), 40u + 100u * 50u * 4u);
}

TEST(Crop, KeepsThePaletteAndBitsOfNarrowDepths) {
  PLAnyBmp indexed;
  indexed.Create(4, 2, 8, false, false);
  indexed.RowTable()[1][3] = 9;
  indexed.Palette()[9] = {1, 2, 3, 4};
  PLAnyBmp cut;
  PLFilterCrop(2, 1, 4, 2).FilterInto(indexed, cut);
  EXPECT_EQ(RowBytes(cut, 0, 2), (std::vector<std::uint8_t>{0, 9}));
  EXPECT_EQ(cut.Palette()[9], (PLPixel32{1, 2, 3, 4}));

  // Bits 3 to 12 of 0b10110011'10001111: a crop edge in the middle of a byte.
  const std::vector<std::uint8_t> bits = {0xB3, 0x8F};
  PLAnyBmp mono;
  mono.Create(16, 1, 1, false, false, bits.data());
  PLAnyBmp monoCut;
  PLFilterCrop(3, 0, 13, 1).FilterInto(mono, monoCut);
  EXPECT_EQ(RowBytes(monoCut, 0, 2), (std::vector<std::uint8_t>{0x9C, 0x40}));
}

TEST(Crop, RectanglesOutsideThePictureAreRefused) {
  PLWinBmp picture;
  picture.Create(10, 10, 32, false, false);
  for (const auto& rect : std::vector<std::vector<int>>{
           {-1, 0, 5, 5}, {0, 0, 11, 5}, {0, 0, 5, 11}, {6, 0, 5, 5}, {0, 6, 5, 5}}) {
    ExpectCode(PL_ERRUNEXPECTED_DATA,
               [&] { picture.ApplyFilter(PLFilterCrop(rect[0], rect[1], rect[2], rect[3])); });
  }
  EXPECT_EQ(picture.GetSize(), (PLPoint{10, 10}));
  picture.ApplyFilter(PLFilterCrop(3, 4, 3, 4));
  EXPECT_EQ(picture.GetSize(), (PLPoint{0, 0}));
}

TEST(Contrast, StretchesAboutMidGrey) {
  PLWinBmp picture;
  picture.Create(4, 1, 32, true, false);
  SetPixel32(picture, 0, 0, {200, 100, 128, 7});
  SetPixel32(picture, 1, 0, {0, 255, 63, 7});
  SetPixel32(picture, 2, 0, {1, 2, 3, 7});
  SetPixel32(picture, 3, 0, {250, 251, 252, 7});
  PLAnyBmp same;
  PLFilterContrast(1.0, 128).FilterInto(picture, same);
  EXPECT_TRUE(SamePixels(same, picture));

  picture.ApplyFilter(PLFilterContrast(2.0, 128));
  EXPECT_EQ(Pixel32(picture, 0, 0), (PLPixel32{255, 72, 128, 7}));
  EXPECT_EQ(Pixel32(picture, 1, 0), (PLPixel32{0, 255, 0, 7}));
  EXPECT_TRUE(picture.Alpha());

  picture.ApplyFilter(PLFilterContrast(0.5, 128));
  EXPECT_EQ(Pixel32(picture, 0, 0), (PLPixel32{191, 100, 128, 7}));
}

TEST(Contrast, WorksOnTwentyFourBitsAndRefusesPalettes) {
  const std::vector<std::uint8_t> bits = {200, 100, 128, 10, 20, 30};
  PLAnyBmp picture;
  picture.Create(2, 1, 24, false, false, bits.data());
  picture.ApplyFilter(PLFilterContrast(2.0, 128));
  EXPECT_EQ(RowBytes(picture, 0, 6), (std::vector<std::uint8_t>{255, 72, 128, 0, 0, 0}));

  PLAnyBmp indexed;
  ExpectCode(PL_ERRUNEXPECTED_DATA, [&] { indexed.ApplyFilter(PLFilterContrast(2.0, 128)); });
}

TEST(Grayscale, WeighsTheChannelsByLuminance) {
  PLWinBmp picture;
  picture.Create(5, 1, 32, false, false, nullptr, 0, {96, 96});
  SetPixel32(picture, 0, 0, {0, 0, 255, 0});
  SetPixel32(picture, 1, 0, {0, 255, 0, 0});
  SetPixel32(picture, 2, 0, {255, 0, 0, 0});
  SetPixel32(picture, 3, 0, {255, 255, 255, 0});
  SetPixel32(picture, 4, 0, {0, 0, 0, 255});
  PLAnyBmp grey;
  PLFilterGrayscale().FilterInto(picture, grey);
  EXPECT_EQ(grey.BitsPerPixel(), 8);
  EXPECT_TRUE(grey.Greyscale());
  EXPECT_EQ(grey.Resolution(), (PLPoint{96, 96}));
  EXPECT_EQ(RowBytes(grey, 0, 5), (std::vector<std::uint8_t>{54, 182, 18, 255, 0}));
  EXPECT_EQ(grey.Palette()[54], Grey(54, 255));

  // The application turns a picture grey in place this way: into 8 bits, then back to 32.
  picture.CopyFrom(grey, 32);
  EXPECT_EQ(Pixel32(picture, 1, 0), Grey(182, 255));
}

TEST(Grayscale, RefusesOtherDepths) {
  PLAnyBmp picture;
  picture.Create(2, 2, 24, false, false);
  PLAnyBmp grey;
  ExpectCode(PL_ERRUNEXPECTED_DATA, [&] { PLFilterGrayscale().FilterInto(picture, grey); });
}

struct Triple {
  double A, B, C;
};

Triple ToHsv(Triple rgb) {
  RgbToHsv(rgb.A, rgb.B, rgb.C);
  return rgb;
}

Triple ToRgb(Triple hsv) {
  HsvToRgb(hsv.A, hsv.B, hsv.C);
  return hsv;
}

void ExpectTriple(Triple actual, Triple expected) {
  EXPECT_NEAR(actual.A, expected.A, 1e-9);
  EXPECT_NEAR(actual.B, expected.B, 1e-9);
  EXPECT_NEAR(actual.C, expected.C, 1e-9);
}

TEST(HsvConvert, PrimaryColoursSitAtThirdsOfTheCircle) {
  ExpectTriple(ToHsv({255, 0, 0}), {0, 255, 255});
  ExpectTriple(ToHsv({0, 255, 0}), {85, 255, 255});
  ExpectTriple(ToHsv({0, 0, 255}), {170, 255, 255});
  ExpectTriple(ToRgb({0, 255, 255}), {255, 0, 0});
  ExpectTriple(ToRgb({85, 255, 255}), {0, 255, 0});
  ExpectTriple(ToRgb({170, 255, 255}), {0, 0, 255});
}

TEST(HsvConvert, GreysHaveNoHueAndInputsAreTruncated) {
  ExpectTriple(ToHsv({0, 0, 0}), {0, 0, 0});
  ExpectTriple(ToHsv({90.9, 90.2, 90.7}), {0, 0, 90});
  ExpectTriple(ToRgb({123, 0.9, 77}), {77, 77, 77});
}

TEST(HsvConvert, MixedColoursRoundTrip) {
  // Orange: hue a third of the first sector; saturation (255 - 0) x 255 / 255.
  ExpectTriple(ToHsv({255, 128, 0}), {128.0 / 255.0 * 42.5, 255, 255});
  ExpectTriple(ToRgb(ToHsv({255, 128, 0})), {255, 128, 0});
  // A hue below zero wraps round to the top of the circle.
  ExpectTriple(ToHsv({255, 0, 128}), {255 - 128.0 / 255.0 * 42.5, 255, 255});
  ExpectTriple(ToRgb(ToHsv({255, 0, 128})), {255, 0, 128});
  // Saturation is the spread over the maximum: (200 - 50) x 255 / 200.
  ExpectTriple(ToHsv({50, 100, 200}), {(-50.0 / 150.0 + 4) * 42.5, 191.25, 200});
  ExpectTriple(ToRgb(ToHsv({50, 100, 200})), {50, 100, 200});
}

TEST(HsvConvert, HuesOffTheCircleLeaveTheValuesAlone) {
  ExpectTriple(ToRgb({255, 200, 100}), {255, 200, 100});
  ExpectTriple(ToRgb({-42.5, 200, 100}), {-42.5, 200, 100});
  ExpectTriple(ToRgb({1e300, 200, 100}), {1e300, 200, 100});
  // Just below zero the hue still falls in the first sector.
  const Triple nearZero = ToRgb({-1, 255, 255});
  EXPECT_DOUBLE_EQ(nearZero.A, 255);
  EXPECT_DOUBLE_EQ(nearZero.C, 0);
}

}  // namespace
