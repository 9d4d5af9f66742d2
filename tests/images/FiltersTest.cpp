#include <gtest/gtest.h>

#include <cstdint>
#include <initializer_list>
#include <ostream>
#include <vector>

#include "images/PLFilterColor.h"
#include "images/PLFilterHSB.h"
#include "images/PLFilterLightnessPercent.h"
#include "images/PLFilterRotate.h"
#include "toolkit/PLAnyBmp.h"
#include "toolkit/PLWinBmp.h"

namespace {

struct Rgb {
  int r;
  int g;
  int b;
  friend bool operator==(const Rgb&, const Rgb&) = default;
};

void PrintTo(const Rgb& c, std::ostream* os) {
  *os << "(" << c.r << ", " << c.g << ", " << c.b << ")";
}

// Runs the filter in place on a one-pixel 32-bit bitmap of that colour with the fourth byte 77.
Rgb Filtered(const PLFilter& filter, Rgb colour) {
  const std::uint8_t bytes[4] = {static_cast<std::uint8_t>(colour.b),
                                 static_cast<std::uint8_t>(colour.g),
                                 static_cast<std::uint8_t>(colour.r), 77};
  PLWinBmp bitmap;
  bitmap.Create(1, 1, 32, false, false, bytes);
  bitmap.ApplyFilter(filter);
  const std::uint8_t* p = bitmap.RowTable()[0];
  return {p[2], p[1], p[0]};
}

TEST(PLFilterColor, BalancedShiftTakesHalfOfTheChangeOutOfTheOtherChannels) {
  EXPECT_EQ(Filtered(PLFilterColor(40, 0, 0, true), {100, 100, 100}), (Rgb{120, 90, 90}));
  EXPECT_EQ(Filtered(PLFilterColor(40, 0, 0, false), {100, 100, 100}), (Rgb{140, 100, 100}));
  // The blue channel clamps at 255, so only the 5 levels it really moved are compensated.
  EXPECT_EQ(Filtered(PLFilterColor(0, 0, 300, true), {0, 0, 250}), (Rgb{0, 0, 255}));
  // Halving truncates toward zero, also for negative shifts and changes.
  EXPECT_EQ(Filtered(PLFilterColor(-7, 3, 0, true), {50, 60, 70}), (Rgb{47, 62, 71}));
}

TEST(PLFilterColor, ExtremeShiftsClampInsteadOfOverflowing) {
  EXPECT_EQ(Filtered(PLFilterColor(INT32_MAX, INT32_MIN, 0, false), {10, 20, 30}),
            (Rgb{255, 0, 30}));
  EXPECT_EQ(Filtered(PLFilterColor(INT32_MAX, INT32_MIN, 0, true), {10, 20, 30}), (Rgb{255, 0, 0}));
}

TEST(PLFilterHSB, NoShiftKeepsColoursAndGreysKeepHueZero) {
  for (const Rgb colour : {Rgb{0, 0, 0}, Rgb{128, 128, 128}, Rgb{255, 0, 0}, Rgb{0, 255, 0},
                           Rgb{0, 0, 255}, Rgb{255, 255, 255}}) {
    EXPECT_EQ(Filtered(PLFilterHSB(0, 0, 0), colour), colour);
  }
  // A hue shift does nothing to a grey: its saturation is 0.
  EXPECT_EQ(Filtered(PLFilterHSB(100, 0, 0), {90, 90, 90}), (Rgb{90, 90, 90}));
}

TEST(PLFilterHSB, HueTurnsRoundTheCircle) {
  // A third of the circle (85) takes red to green and green to blue.
  EXPECT_EQ(Filtered(PLFilterHSB(85, 0, 0), {255, 0, 0}), (Rgb{0, 255, 0}));
  EXPECT_EQ(Filtered(PLFilterHSB(85, 0, 0), {0, 255, 0}), (Rgb{0, 0, 255}));
  // Blue (hue 170) shifted by 85 lands exactly on 255, which is hue 0 again: red.
  EXPECT_EQ(Filtered(PLFilterHSB(85, 0, 0), {0, 0, 255}), (Rgb{255, 0, 0}));
  EXPECT_EQ(Filtered(PLFilterHSB(-85, 0, 0), {255, 0, 0}), (Rgb{0, 0, 255}));
  // Shifts far beyond one turn come back onto the circle as well.
  EXPECT_EQ(Filtered(PLFilterHSB(85 + 255 * 40, 0, 0), {255, 0, 0}), (Rgb{0, 255, 0}));
}

TEST(PLFilterHSB, ColoursPushedOutOfRangeKeepTheirHue) {
  // Brightness beyond 255 moves all three channels down together.
  EXPECT_EQ(Filtered(PLFilterHSB(0, 0, 100), {200, 100, 100}), (Rgb{255, 105, 105}));
  // Saturation beyond 255 gives negative channels, which are lifted together.
  EXPECT_EQ(Filtered(PLFilterHSB(0, 255, 0), {200, 100, 100}), (Rgb{255, 0, 0}));
}

TEST(PLFilterLightnessPercent, AddsOrScalesAndClamps) {
  EXPECT_EQ(Filtered(PLFilterLightnessPercent(15, true), {250, 10, 0}), (Rgb{255, 25, 15}));
  EXPECT_EQ(Filtered(PLFilterLightnessPercent(50, false), {100, 200, 0}), (Rgb{150, 255, 0}));
  EXPECT_EQ(Filtered(PLFilterLightnessPercent(-20, true), {10, 30, 255}), (Rgb{0, 10, 235}));
  EXPECT_EQ(Filtered(PLFilterLightnessPercent(-50, false), {101, 3, 255}), (Rgb{50, 1, 127}));
}

// The blue bytes of every row, top first.
std::vector<std::vector<int>> Numbers(const PLBmp& bitmap) {
  std::vector<std::vector<int>> rows(bitmap.Height());
  for (int y = 0; y < bitmap.Height(); ++y) {
    for (int x = 0; x < bitmap.Width(); ++x) rows[y].push_back(bitmap.RowTable()[y][4 * x]);
  }
  return rows;
}

// Makes bitmap 3 x 2 pixels, pixel (x, y) with blue byte 10 * y + x.
void Number(PLBmp& bitmap) {
  std::vector<std::uint8_t> bytes;
  for (int y = 0; y < 2; ++y) {
    for (int x = 0; x < 3; ++x) bytes.insert(bytes.end(), {std::uint8_t(10 * y + x), 0, 0, 0});
  }
  bitmap.Create(3, 2, 32, false, false, bytes.data(), 0, {72, 96});
}

// The bitmap numbered, then filtered.
std::vector<std::vector<int>> Turned(std::initializer_list<int> turns) {
  PLAnyBmp bitmap;
  Number(bitmap);
  for (int turn : turns) bitmap.ApplyFilter(PLFilterRotate(turn));
  return Numbers(bitmap);
}

using Grid = std::vector<std::vector<int>>;

TEST(PLFilterRotate, TurnsByQuarterAndHalfTurns) {
  // Clockwise: the source's bottom-left pixel comes to the top-left.
  EXPECT_EQ(Turned({0}), (Grid{{10, 0}, {11, 1}, {12, 2}}));
  EXPECT_EQ(Turned({1}), (Grid{{12, 11, 10}, {2, 1, 0}}));
  EXPECT_EQ(Turned({2}), (Grid{{2, 12}, {1, 11}, {0, 10}}));
  // Clockwise then anticlockwise gives the start back.
  EXPECT_EQ(Turned({0, 2}), Turned({}));
  // An unknown turn gives a blank picture of the turned size.
  EXPECT_EQ(Turned({7}), (Grid{{0, 0}, {0, 0}, {0, 0}}));
}

TEST(PLFilterRotate, KeepsTheResolution) {
  PLWinBmp bitmap;
  Number(bitmap);
  bitmap.ApplyFilter(PLFilterRotate(0));
  EXPECT_EQ(bitmap.Resolution(), (PLPoint{72, 96}));
}

TEST(PLFilterRotate, TurnsEightBitPicturesWithTheirPalette) {
  const std::uint8_t bytes[2] = {3, 200};
  PLAnyBmp bitmap;
  bitmap.Create(2, 1, 8, false, true, bytes);
  bitmap.Palette()[200] = {1, 2, 3, 4};
  bitmap.ApplyFilter(PLFilterRotate(0));
  ASSERT_EQ(bitmap.GetSize(), (PLPoint{1, 2}));
  EXPECT_EQ(bitmap.RowTable()[0][0], 3);
  EXPECT_EQ(bitmap.RowTable()[1][0], 200);
  EXPECT_EQ(bitmap.Palette()[200], (PLPixel32{1, 2, 3, 4}));
}

}  // namespace
