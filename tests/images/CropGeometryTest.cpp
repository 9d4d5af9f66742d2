#include "images/CropGeometry.h"

#include <gtest/gtest.h>

#include "support/PictureFolder.h"

namespace ZodarEdo {

namespace {

TEST(RatioCropBox, KeepsTheLargestCentredBoxAlongThePicturesLongerSide) {
  // r = 1.25, s = 4 / 3, m = 0.03125.
  EXPECT_EQ(RatioCropBox(1200, 1600, 10, 8, 0, 0, 0), (CropBox{0, 50, 1200, 1550}));
  EXPECT_EQ(RatioCropBox(1600, 1200, 10, 8, 0, 0, 0), (CropBox{50, 0, 1550, 1200}));
  // Only the proportion counts, not which side of the cell is the longer.
  EXPECT_EQ(RatioCropBox(1200, 1600, 8, 10, 0, 0, 0), (CropBox{0, 50, 1200, 1550}));
  // A cell longer than the picture trims the other way.
  EXPECT_EQ(RatioCropBox(1200, 1600, 2, 1, 0, 0, 0), (CropBox{200, 0, 999, 1600}));
  EXPECT_EQ(RatioCropBox(1600, 1200, 2, 1, 0, 0, 0), (CropBox{0, 200, 1600, 999}));
}

TEST(RatioCropBox, TruncatesDoublePrecisionResults) {
  // 1500 x m comes out slightly below 125.
  EXPECT_EQ(RatioCropBox(1000, 1500, 10, 8, 0, 0, 0), (CropBox{0, 124, 1000, 1375}));
  // A square picture counts as landscape, so the cell's longer side lies along its width;
  // 1000 x m comes out slightly below 100.
  EXPECT_EQ(RatioCropBox(1000, 1000, 5, 4, 0, 0, 0), (CropBox{0, 99, 1000, 900}));
}

TEST(RatioCropBox, ZoomKeepsTheCentreAndShiftStopsAtTheEdges) {
  EXPECT_EQ(RatioCropBox(1200, 1600, 10, 8, 20, 0, 0), (CropBox{120, 200, 1080, 1400}));
  EXPECT_EQ(RatioCropBox(1200, 1600, 10, 8, 20, -10, 0), (CropBox{120, 40, 1080, 1240}));
  // 160 rows down would pass the bottom edge: the box ends flush with it, its size unchanged.
  EXPECT_EQ(RatioCropBox(1200, 1600, 10, 8, 0, 10, 0), (CropBox{0, 100, 1200, 1600}));
  EXPECT_EQ(RatioCropBox(1200, 1600, 10, 8, 20, 0, -50), (CropBox{0, 200, 960, 1400}));
  EXPECT_EQ(RatioCropBox(1200, 1600, 10, 8, 20, 0, 5), (CropBox{180, 200, 1140, 1400}));
  EXPECT_EQ(RatioCropBox(1200, 1600, 10, 8, 20, 0, 50), (CropBox{240, 200, 1200, 1400}));
}

TEST(RatioCropBox, HasNothingToKeepWithoutAProportionOrAPicture) {
  // A layout file may carry a crop side of 0.
  EXPECT_FALSE(RatioCropBox(1200, 1600, 0, 8, 0, 0, 0));
  EXPECT_FALSE(RatioCropBox(1200, 1600, 10, 0, 0, 0, 0));
  EXPECT_FALSE(RatioCropBox(1200, 1600, 0, 0, 0, 0, 0));
  EXPECT_FALSE(RatioCropBox(0, 1600, 10, 8, 0, 0, 0));
  EXPECT_FALSE(RatioCropBox(1200, 0, 10, 8, 0, 0, 0));
}

TEST(RatioCropBox, ExtremeAdjustmentsDoNotOverflow) {
  // 100000 x 32767 does not fit 32 bits; the shift still stops flush with the edge.
  EXPECT_EQ(RatioCropBox(100'000, 100'000, 1, 1, 0, 32767, 32767),
            (CropBox{0, 0, 100'000, 100'000}));
  // Zooming out gives a box far outside the picture, which the picture then refuses to cut.
  EXPECT_EQ(RatioCropBox(100'000, 100'000, 1, 1, -32768, 0, 0),
            (CropBox{-16'384'000, -16'384'000, 16'484'000, 16'484'000}));
}

TEST(FitInside, KeepsTheSourceProportion) {
  EXPECT_EQ(FitInside(400, 600, 100, 100), (PictureSize{66, 100}));
  EXPECT_EQ(FitInside(600, 400, 100, 100), (PictureSize{100, 66}));
  EXPECT_EQ(FitInside(300, 300, 100, 50), (PictureSize{50, 50}));
  EXPECT_EQ(FitInside(50, 20, 100, 100), (PictureSize{100, 40}));
}

TEST(FitInside, FitsNothingOfASourceWithoutArea) {
  EXPECT_EQ(FitInside(0, 600, 100, 100), (PictureSize{0, 0}));
  EXPECT_EQ(FitInside(400, 0, 100, 100), (PictureSize{0, 0}));
  EXPECT_EQ(FitInside(-4, 6, 100, 100), (PictureSize{0, 0}));
}

}  // namespace
}  // namespace ZodarEdo
