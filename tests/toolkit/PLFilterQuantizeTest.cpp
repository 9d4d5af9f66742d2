#include <gtest/gtest.h>

#include <cstdint>
#include <set>
#include <vector>

#include "BitmapTestSupport.h"
#include "support/Raised.h"
#include "toolkit/PLAnyBmp.h"
#include "toolkit/PLFilterQuantize.h"
#include "toolkit/PLTextException.h"

namespace {

int Distance(const PLPixel32& a, const PLPixel32& b) {
  const int dr = a.Red - b.Red, dg = a.Green - b.Green, db = a.Blue - b.Blue;
  return dr * dr + dg * dg + db * db;
}

PLAnyBmp Quantized(const PLBmp& source, int paletteMethod, int ditherMethod) {
  PLAnyBmp target;
  PLFilterQuantize(paletteMethod, ditherMethod).FilterInto(source, target);
  return target;
}

// Every pixel of a quantized picture must have taken a palette entry nearest to its colour.
void ExpectNearestEntries(const PLBmp& source, const PLBmp& indexed) {
  for (int y = 0; y < source.Height(); ++y) {
    for (int x = 0; x < source.Width(); ++x) {
      const PLPixel32 colour = Pixel32(source, x, y);
      const int chosen = Distance(colour, indexed.Palette()[indexed.RowTable()[y][x]]);
      for (int i = 0; i < 256; ++i) {
        ASSERT_LE(chosen, Distance(colour, indexed.Palette()[i]))
            << x << "," << y << " entry " << i;
      }
    }
  }
}

// A smooth ramp through many more colours than a palette holds.
PLAnyBmp Gradient() {
  PLAnyBmp picture;
  picture.Create(64, 64, 32, false, false);
  for (int y = 0; y < 64; ++y) {
    for (int x = 0; x < 64; ++x) {
      SetPixel32(picture, x, y,
                 {static_cast<std::uint8_t>(4 * x), static_cast<std::uint8_t>(4 * y),
                  static_cast<std::uint8_t>(2 * (x + y)), 255});
    }
  }
  return picture;
}

TEST(Quantize, FixedPaletteHasEightRedsEightGreensFourBlues) {
  const PLFilterQuantize::Palette palette = PLFilterQuantize::MakeFixedPalette();
  EXPECT_EQ(palette[0], (PLPixel32{0, 0, 0, 255}));
  EXPECT_EQ(palette[255], (PLPixel32{255, 255, 255, 255}));
  EXPECT_EQ(palette[0xE0], (PLPixel32{0, 0, 255, 255}));
  EXPECT_EQ(palette[0x1C], (PLPixel32{0, 255, 0, 255}));
  EXPECT_EQ(palette[0x03], (PLPixel32{255, 0, 0, 255}));
  EXPECT_EQ(palette[0x25], (PLPixel32{85, 36, 36, 255}));
}

TEST(Quantize, PicturesWithFewColoursKeepThemExactly) {
  // 256 colours, each in a bin of its own.
  PLAnyBmp picture;
  picture.Create(16, 16, 32, false, false, nullptr, 0, {50, 60});
  for (int y = 0; y < 16; ++y) {
    for (int x = 0; x < 16; ++x) {
      SetPixel32(picture, x, y,
                 {static_cast<std::uint8_t>(16 * x + 3), static_cast<std::uint8_t>(16 * y + 5),
                  static_cast<std::uint8_t>(8 * ((x + y) % 32)), 255});
    }
  }
  for (const int method : {PLFilterQuantize::MedianCut, PLFilterQuantize::Popularity}) {
    const PLAnyBmp indexed = Quantized(picture, method, PLFilterQuantize::NoDither);
    EXPECT_EQ(indexed.BitsPerPixel(), 8);
    EXPECT_FALSE(indexed.Greyscale());
    EXPECT_EQ(indexed.Resolution(), (PLPoint{50, 60}));
    PLAnyBmp back;
    back.CopyFrom(indexed, 32);
    EXPECT_TRUE(SamePixels(back, picture)) << method;
  }
}

TEST(Quantize, ManyColoursGoToTheirNearestEntry) {
  const PLAnyBmp picture = Gradient();
  for (const int method : {PLFilterQuantize::MedianCut, PLFilterQuantize::Popularity,
                           PLFilterQuantize::FixedPalette}) {
    const PLAnyBmp indexed = Quantized(picture, method, PLFilterQuantize::NoDither);
    ExpectNearestEntries(picture, indexed);
  }
}

double MeanError(const PLBmp& source, const PLBmp& indexed) {
  double error = 0;
  for (int y = 0; y < source.Height(); ++y) {
    for (int x = 0; x < source.Width(); ++x) {
      error += Distance(Pixel32(source, x, y), indexed.Palette()[indexed.RowTable()[y][x]]);
    }
  }
  return error / (source.Width() * source.Height());
}

TEST(Quantize, PalettesFromThePictureFitItBetterThanTheFixedOne) {
  const PLAnyBmp picture = Gradient();
  const PLAnyBmp medianCut = Quantized(picture, PLFilterQuantize::MedianCut, 0);
  std::set<int> used;
  for (int y = 0; y < 64; ++y) {
    for (int x = 0; x < 64; ++x) used.insert(medianCut.RowTable()[y][x]);
  }
  EXPECT_GT(used.size(), 200u);
  const double fixedError =
      MeanError(picture, Quantized(picture, PLFilterQuantize::FixedPalette, 0));
  EXPECT_LT(MeanError(picture, medianCut), fixedError / 4);
}

TEST(Quantize, PopularityKeepsTheFrequentColours) {
  // 300 colours: the first 200 cover three pixels each, the last 100 one pixel each.
  PLAnyBmp picture;
  picture.Create(700, 1, 32, false, false);
  auto colour = [](int i) {
    return PLPixel32{static_cast<std::uint8_t>(8 * (i % 32)),
                     static_cast<std::uint8_t>(8 * (i / 32)), 77, 255};
  };
  for (int x = 0; x < 600; ++x) SetPixel32(picture, x, 0, colour(x / 3));
  for (int x = 600; x < 700; ++x) SetPixel32(picture, x, 0, colour(x - 400));
  const PLAnyBmp indexed = Quantized(picture, PLFilterQuantize::Popularity, 0);
  for (int x = 0; x < 600; ++x) {
    ASSERT_EQ(indexed.Palette()[indexed.RowTable()[0][x]], colour(x / 3)) << x;
  }
  ExpectNearestEntries(picture, indexed);
}

TEST(Quantize, OrderedDitherRepeatsEveryFourPixels) {
  PLAnyBmp flat;
  flat.Create(8, 8, 32, false, false);
  for (int y = 0; y < 8; ++y) {
    for (int x = 0; x < 8; ++x) SetPixel32(flat, x, y, Grey(100, 255));
  }
  const PLAnyBmp plain = Quantized(flat, PLFilterQuantize::FixedPalette, 0);
  const PLAnyBmp dithered =
      Quantized(flat, PLFilterQuantize::FixedPalette, PLFilterQuantize::OrderedDither);
  std::set<int> plainIndices, ditheredIndices;
  for (int y = 0; y < 8; ++y) {
    for (int x = 0; x < 8; ++x) {
      plainIndices.insert(plain.RowTable()[y][x]);
      ditheredIndices.insert(dithered.RowTable()[y][x]);
      EXPECT_EQ(dithered.RowTable()[y][x], dithered.RowTable()[y % 4][x % 4]);
    }
  }
  EXPECT_EQ(plainIndices.size(), 1u);
  EXPECT_GT(ditheredIndices.size(), 1u);
  // Pixel (0, 0) is moved by 2 x -7 to grey 86, whose nearest fixed entry differs from 100's.
  PLAnyBmp darker;
  darker.Create(1, 1, 32, false, false);
  SetPixel32(darker, 0, 0, Grey(86, 255));
  EXPECT_EQ(dithered.RowTable()[0][0], Quantized(darker, 2, 0).RowTable()[0][0]);
}

TEST(Quantize, UserPaletteIsUsedWhenGiven) {
  PLAnyBmp picture;
  picture.Create(2, 1, 32, false, false);
  SetPixel32(picture, 0, 0, {0, 0, 250, 255});
  SetPixel32(picture, 1, 0, {10, 10, 10, 255});
  PLFilterQuantize::Palette palette;
  palette.fill({255, 255, 255, 255});
  palette[7] = {0, 0, 200, 255};
  palette[9] = {0, 0, 0, 255};
  PLFilterQuantize quantize(PLFilterQuantize::UserPalette, 0);
  quantize.SetUserPalette(palette);
  PLAnyBmp indexed;
  quantize.FilterInto(picture, indexed);
  EXPECT_EQ(RowBytes(indexed, 0, 2), (std::vector<std::uint8_t>{7, 9}));
  EXPECT_EQ(indexed.Palette()[7], (PLPixel32{0, 0, 200, 255}));

  // Without a palette of its own it falls back to the fixed one, as unknown methods do.
  const PLAnyBmp fixed = Quantized(picture, PLFilterQuantize::UserPalette, 0);
  EXPECT_EQ(RowBytes(fixed, 0, 2), RowBytes(Quantized(picture, 42, 42), 0, 2));
  EXPECT_EQ(fixed.RowTable()[0][0], 0xE0);
}

TEST(Quantize, RefusesOtherDepths) {
  PLAnyBmp indexed;
  PLAnyBmp target;
  EXPECT_EQ(
      Raised<PLTextException>([&] { PLFilterQuantize(0, 0).FilterInto(indexed, target); }).Code(),
      PL_ERRUNEXPECTED_DATA);
}

}  // namespace
