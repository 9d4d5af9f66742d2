#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "BitmapTestSupport.h"
#include "toolkit/PLAnyBmp.h"
#include "toolkit/PLFilterQuantize.h"
#include "toolkit/PLWinBmp.h"

namespace {

// A 4 x 2 24-bit picture: black, white, dark red, light blue / grey 127, grey 128, green, blue.
void MakeColour24(PLBmp& bitmap) {
  const std::vector<std::uint8_t> bits = {0,   0,   0,   255, 255, 255, 0, 0,   100, 250, 200, 150,
                                          127, 127, 127, 128, 128, 128, 0, 255, 0,   255, 0,   0};
  bitmap.Create(4, 2, 24, false, false, bits.data(), 0, {72, 72});
}

TEST(CopyFrom, SameDepthCopiesDescriptionPixelsAndPalette) {
  PLAnyBmp source;
  source.Create(5, 3, 8, false, true, nullptr, 0, {200, 100});
  for (int y = 0; y < 3; ++y) {
    for (int x = 0; x < 5; ++x) source.RowTable()[y][x] = static_cast<std::uint8_t>(10 * y + x);
  }
  source.Palette()[7] = {1, 2, 3, 4};

  PLWinBmp copy;
  copy.CopyFrom(source);
  EXPECT_TRUE(SamePixels(copy, source));
  EXPECT_TRUE(copy.Greyscale());
  EXPECT_EQ(copy.Resolution(), (PLPoint{200, 100}));
  EXPECT_EQ(copy.Palette()[7], (PLPixel32{1, 2, 3, 4}));

  PLAnyBmp back;
  back.CopyFrom(copy, 8);
  EXPECT_TRUE(SamePixels(back, source));
}

TEST(CopyFrom, ItselfAtItsOwnDepthChangesNothing) {
  PLWinBmp bitmap;
  bitmap.Create(3, 3, 32, true, false, nullptr, 0, {5, 6});
  FillPattern(bitmap);
  PLAnyBmp before;
  before.CopyFrom(bitmap);
  const std::uint8_t* firstRow = bitmap.RowTable()[0];
  bitmap.CopyFrom(bitmap, 0);
  bitmap.CopyFrom(bitmap, 32);
  EXPECT_EQ(bitmap.RowTable()[0], firstRow);
  EXPECT_TRUE(SamePixels(bitmap, before));
  EXPECT_TRUE(bitmap.Alpha());
}

TEST(CopyFrom, ItselfToAnotherDepthConverts) {
  PLWinBmp bitmap;
  MakeColour24(bitmap);
  bitmap.CopyFrom(bitmap, 32);
  ASSERT_EQ(bitmap.BitsPerPixel(), 32);
  EXPECT_EQ(Pixel32(bitmap, 3, 0), (PLPixel32{250, 200, 150, 255}));
  EXPECT_EQ(Pixel32(bitmap, 3, 1), (PLPixel32{255, 0, 0, 255}));
}

TEST(CopyFrom, GreyEightBitsBecomeOpaqueGreyPixels) {
  PLAnyBmp grey;
  grey.Create(256, 1, 8, false, true);
  for (int x = 0; x < 256; ++x) grey.RowTable()[0][x] = static_cast<std::uint8_t>(x);
  PLWinBmp wide;
  wide.CopyFrom(grey, 32);
  EXPECT_FALSE(wide.Greyscale());
  for (int x = 0; x < 256; ++x) ASSERT_EQ(Pixel32(wide, x, 0), Grey(x, 255)) << x;
}

TEST(CopyFrom, PaletteEntriesAreTakenWhole) {
  PLAnyBmp indexed;
  indexed.Create(2, 1, 8, false, false);
  indexed.Palette()[3] = {10, 20, 30, 40};
  indexed.RowTable()[0][0] = 3;
  indexed.RowTable()[0][1] = 200;
  PLAnyBmp wide;
  wide.CopyFrom(indexed, 32);
  EXPECT_EQ(Pixel32(wide, 0, 0), (PLPixel32{10, 20, 30, 40}));
  EXPECT_EQ(Pixel32(wide, 1, 0), Grey(200, 255));
  PLAnyBmp narrow;
  narrow.CopyFrom(indexed, 24);
  EXPECT_EQ(RowBytes(narrow, 0, 6), (std::vector<std::uint8_t>{10, 20, 30, 200, 200, 200}));
}

TEST(CopyFrom, TwentyFourAndThirtyTwoBitsConvertBothWays) {
  PLWinBmp source;
  MakeColour24(source);
  PLWinBmp wide;
  wide.CopyFrom(source, 32);
  EXPECT_FALSE(wide.Alpha());
  EXPECT_EQ(wide.Resolution(), (PLPoint{72, 72}));
  EXPECT_EQ(Pixel32(wide, 2, 0), (PLPixel32{0, 0, 100, 255}));
  EXPECT_EQ(Pixel32(wide, 2, 1), (PLPixel32{0, 255, 0, 255}));

  SetPixel32(wide, 0, 0, {9, 8, 7, 6});
  PLAnyBmp narrow;
  narrow.CopyFrom(wide, 24);
  EXPECT_EQ(narrow.BitsPerPixel(), 24);
  EXPECT_EQ(RowBytes(narrow, 0, 6), (std::vector<std::uint8_t>{9, 8, 7, 255, 255, 255}));
  EXPECT_EQ(RowBytes(narrow, 1, 12), RowBytes(source, 1, 12));
}

TEST(CopyFrom, AlphaSurvivesOnlyAtThirtyTwoBits) {
  PLAnyBmp source;
  source.Create(1, 1, 32, true, false);
  PLAnyBmp same;
  same.CopyFrom(source, 32);
  EXPECT_TRUE(same.Alpha());
  PLAnyBmp narrow;
  narrow.CopyFrom(source, 24);
  EXPECT_FALSE(narrow.Alpha());
}

TEST(CopyFrom, OneBitPicturesTakeTheirPaletteColours) {
  const std::vector<std::uint8_t> bits = {0xA0};  // pixels 1, 0, 1
  PLAnyBmp mono;
  mono.Create(3, 1, 1, false, false, bits.data());
  mono.Palette()[0] = {0, 0, 200, 255};
  mono.Palette()[1] = {50, 60, 70, 80};

  PLAnyBmp wide;
  wide.CopyFrom(mono, 32);
  EXPECT_EQ(Pixel32(wide, 0, 0), (PLPixel32{50, 60, 70, 80}));
  EXPECT_EQ(Pixel32(wide, 1, 0), (PLPixel32{0, 0, 200, 255}));

  PLAnyBmp narrow;
  narrow.CopyFrom(mono, 24);
  EXPECT_EQ(RowBytes(narrow, 0, 9), (std::vector<std::uint8_t>{50, 60, 70, 0, 0, 200, 50, 60, 70}));

  PLAnyBmp indexed;
  indexed.CopyFrom(mono, 8);
  EXPECT_EQ(RowBytes(indexed, 0, 3), (std::vector<std::uint8_t>{1, 0, 1}));
  EXPECT_EQ(indexed.Palette()[0], (PLPixel32{0, 0, 200, 255}));
  EXPECT_EQ(indexed.Palette()[1], (PLPixel32{50, 60, 70, 255}));
}

TEST(CopyFrom, OneBitTargetsMarkPixelsDarkInEveryChannel) {
  PLWinBmp colour;
  MakeColour24(colour);
  // Dark: black, dark red, grey 127. Light: white, light blue, grey 128, green, blue.
  const std::vector<std::uint8_t> expected = {0xA0, 0x80};
  for (int depth : {24, 32}) {
    PLAnyBmp source;
    source.CopyFrom(colour, depth);
    PLWinBmp mono;
    mono.CopyFrom(source, 1);
    ASSERT_EQ(mono.BitsPerPixel(), 1);
    EXPECT_EQ(mono.Palette()[0], Grey(255, 255));
    EXPECT_EQ(mono.Palette()[1], Grey(0, 255));
    EXPECT_EQ(mono.RowTable()[0][0], expected[0]) << depth;
    EXPECT_EQ(mono.RowTable()[1][0], expected[1]) << depth;
  }

  PLAnyBmp grey;
  grey.Create(10, 1, 8, false, true);
  for (int x = 0; x < 10; ++x) grey.RowTable()[0][x] = static_cast<std::uint8_t>(x < 9 ? 0 : 127);
  grey.RowTable()[0][2] = 128;
  PLAnyBmp mono;
  mono.CopyFrom(grey, 1);
  EXPECT_EQ(RowBytes(mono, 0, 2), (std::vector<std::uint8_t>{0xDF, 0xC0}));
}

TEST(CopyFrom, ColourToEightBitsQuantizesWithTheTargetsMethods) {
  PLWinBmp colour;
  MakeColour24(colour);
  PLAnyBmp wide;
  wide.CopyFrom(colour, 32);
  for (const PLBmp* source : std::vector<const PLBmp*>{&colour, &wide}) {
    PLAnyBmp indexed;
    indexed.SetQuantizePalette(PLFilterQuantize::MedianCut);
    indexed.CopyFrom(*source, 8);
    ASSERT_EQ(indexed.BitsPerPixel(), 8);
    EXPECT_EQ(indexed.Resolution(), (PLPoint{72, 72}));
    // Eight distinct colours fit the palette, so every pixel keeps its colour.
    PLAnyBmp back;
    back.CopyFrom(indexed, 32);
    EXPECT_TRUE(SamePixels(back, wide));
  }
}

}  // namespace
