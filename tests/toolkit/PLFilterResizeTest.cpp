#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <vector>

#include "BitmapTestSupport.h"
#include "support/Raised.h"
#include "toolkit/PLAnyBmp.h"
#include "toolkit/PLBilinearContribDef.h"
#include "toolkit/PLFilterResizeBilinear.h"
#include "toolkit/PLTextException.h"
#include "toolkit/PLWeightTable.h"
#include "toolkit/PLWinBmp.h"

namespace {

const PLBilinearContribDef kTriangle(0.64);

std::vector<std::uint32_t> WeightsOf(const PLWeightTable& table, int j) {
  return {table.Weights(j).begin(), table.Weights(j).end()};
}

// A one-row 32-bit picture whose pixels have all four bytes equal to the given values.
PLAnyBmp Row(const std::vector<int>& values) {
  PLAnyBmp row;
  const std::vector<std::uint8_t> bytes = RowOfValues(values);
  row.Create(static_cast<int>(values.size()), 1, 32, false, false, bytes.data());
  return row;
}

std::vector<int> FirstBytes(const PLBmp& bitmap, int y) {
  std::vector<int> values;
  for (int x = 0; x < bitmap.Width(); ++x) {
    const PLPixel32 p = Pixel32(bitmap, x, y);
    EXPECT_TRUE(p.Blue == p.Green && p.Green == p.Red && p.Red == p.Alpha) << x;
    values.push_back(p.Blue);
  }
  return values;
}

PLAnyBmp Resized(const PLBmp& source, int width, int height) {
  PLAnyBmp target;
  PLFilterResizeBilinear(width, height).FilterInto(source, target);
  return target;
}

// The scale as the weight rules state it, without any of the scaler's shortcuts: full
// windows with their zero weights, a temporary image as high as the source, and the vertical
// pass column by column.
PLAnyBmp ReferenceScale(const PLBmp& source, int width, int height) {
  struct Window {
    int Left;
    std::vector<std::int64_t> Weights;
  };
  auto table = [](int n, int m) {
    const double s = static_cast<double>(m) / n;
    const double w = s < 1 ? 0.64 / s : 0.64;
    const double k = s < 1 ? s : 1.0;
    const int limit = 2 * static_cast<int>(std::ceil(w)) + 1;
    std::vector<Window> windows;
    for (int j = 0; j < m; ++j) {
      const double c = (j + 0.5) / s - 0.5;
      int left = std::max(0, static_cast<int>(std::floor(c - w)));
      int right = std::min(n - 1, static_cast<int>(std::ceil(c + w)));
      if (right - left + 1 > limit) ++left;
      Window window{left, {}};
      std::int64_t sum = 0;
      for (int i = left; i <= right; ++i) {
        const double x = std::fabs((c - i) * k);
        window.Weights.push_back(static_cast<std::int64_t>((x < 0.64 ? 0.64 - x : 0) * k * 256));
        sum += window.Weights.back();
      }
      if (sum > 0) {
        std::int64_t others = 0;
        for (std::size_t t = 0; t + 1 < window.Weights.size(); ++t) {
          window.Weights[t] = window.Weights[t] * 256 / sum;
          others += window.Weights[t];
        }
        window.Weights.back() = 256 - others;
      }
      windows.push_back(window);
    }
    return windows;
  };
  const std::vector<Window> across = table(source.Width(), width);
  const std::vector<Window> down = table(source.Height(), height);
  std::vector<std::vector<std::uint8_t>> temporary(source.Height(),
                                                   std::vector<std::uint8_t>(4 * width));
  for (int y = 0; y < source.Height(); ++y) {
    for (int x = 0; x < width; ++x) {
      for (int b = 0; b < 4; ++b) {
        std::int64_t sum = 128;
        for (std::size_t t = 0; t < across[x].Weights.size(); ++t) {
          sum += across[x].Weights[t] * source.RowTable()[y][4 * (across[x].Left + t) + b];
        }
        temporary[y][4 * x + b] = static_cast<std::uint8_t>(sum / 256);
      }
    }
  }
  PLAnyBmp target;
  target.Create(width, height, 32, false, false);
  for (int x = 0; x < width; ++x) {
    for (int y = 0; y < height; ++y) {
      for (int b = 0; b < 4; ++b) {
        std::int64_t sum = 128;
        for (std::size_t t = 0; t < down[y].Weights.size(); ++t) {
          sum += down[y].Weights[t] * temporary[down[y].Left + t][4 * x + b];
        }
        target.RowTable()[y][4 * x + b] = static_cast<std::uint8_t>(sum / 256);
      }
    }
  }
  return target;
}

TEST(WeightTable, EqualLengthsGiveTheIdentity) {
  const PLWeightTable table(5, 5, kTriangle);
  for (int j = 0; j < 5; ++j) {
    EXPECT_EQ(table.First(j), j);
    EXPECT_EQ(WeightsOf(table, j), (std::vector<std::uint32_t>{256}));
  }
}

TEST(WeightTable, HalvingAveragesPairs) {
  // The full windows are 0..2 with 128, 128, 0 and 1..3 with 0, 128, 128; the zeros are dropped.
  const PLWeightTable table(4, 2, kTriangle);
  EXPECT_EQ(table.First(0), 0);
  EXPECT_EQ(WeightsOf(table, 0), (std::vector<std::uint32_t>{128, 128}));
  EXPECT_EQ(table.First(1), 2);
  EXPECT_EQ(WeightsOf(table, 1), (std::vector<std::uint32_t>{128, 128}));
}

TEST(WeightTable, ExtremeShrinkingLeavesNoWeight) {
  const PLWeightTable table(200, 1, kTriangle);
  EXPECT_TRUE(table.Weights(0).empty());
  EXPECT_EQ(table.MaxWindow(), 0);
}

TEST(WeightTable, WeightsAlwaysAddUpTo256) {
  for (const auto& [n, m] :
       std::vector<std::pair<int, int>>{{7, 3}, {3, 7}, {100, 37}, {13, 150}}) {
    const PLWeightTable table(n, m, kTriangle);
    for (int j = 0; j < m; ++j) {
      std::uint32_t sum = 0;
      for (const std::uint32_t w : table.Weights(j)) sum += w;
      EXPECT_EQ(sum, 256u) << n << " -> " << m << " at " << j;
      EXPECT_GE(table.First(j), 0);
      EXPECT_LE(table.First(j) + static_cast<int>(table.Weights(j).size()), n);
    }
  }
}

TEST(ResizeBilinear, RowExamples) {
  EXPECT_EQ(FirstBytes(Resized(Row({0, 255}), 4, 1), 0), (std::vector<int>{0, 0, 255, 255}));
  EXPECT_EQ(FirstBytes(Resized(Row({0, 255}), 3, 1), 0), (std::vector<int>{0, 128, 255}));
  EXPECT_EQ(FirstBytes(Resized(Row({0, 255, 0, 255}), 2, 1), 0), (std::vector<int>{128, 128}));
  EXPECT_EQ(FirstBytes(Resized(Row(std::vector<int>(200, 255)), 1, 1), 0), (std::vector<int>{0}));
}

TEST(ResizeBilinear, SameSizeKeepsEveryPixel) {
  PLWinBmp picture;
  picture.Create(7, 5, 32, false, false);
  FillPattern(picture);
  EXPECT_TRUE(SamePixels(Resized(picture, 7, 5), picture));
}

TEST(ResizeBilinear, OnePixelGrowsIntoNineCopies) {
  PLAnyBmp dot;
  dot.Create(1, 1, 32, false, false);
  SetPixel32(dot, 0, 0, {10, 20, 30, 40});
  const PLAnyBmp grown = Resized(dot, 3, 3);
  ASSERT_EQ(grown.GetSize(), (PLPoint{3, 3}));
  for (int y = 0; y < 3; ++y) {
    for (int x = 0; x < 3; ++x) EXPECT_EQ(Pixel32(grown, x, y), (PLPixel32{10, 20, 30, 40}));
  }
}

TEST(ResizeBilinear, BothPassesBlend) {
  PLAnyBmp checker;
  checker.Create(2, 2, 32, false, false);
  SetPixel32(checker, 1, 0, Grey(255, 255));
  SetPixel32(checker, 0, 1, Grey(255, 255));
  const PLAnyBmp grown = Resized(checker, 3, 3);
  EXPECT_EQ(FirstBytes(grown, 0), (std::vector<int>{0, 128, 255}));
  EXPECT_EQ(FirstBytes(grown, 1), (std::vector<int>{128, 128, 128}));
  EXPECT_EQ(FirstBytes(grown, 2), (std::vector<int>{255, 128, 0}));
}

TEST(ResizeBilinear, MatchesTheWeightRulesForAnySize) {
  PLAnyBmp picture;
  picture.Create(37, 23, 32, false, false);
  FillPattern(picture);
  for (const auto& [w, h] : std::vector<std::pair<int, int>>{
           {5, 61}, {74, 46}, {111, 9}, {1, 1}, {36, 22}, {3, 200}, {37, 23}}) {
    EXPECT_TRUE(SamePixels(Resized(picture, w, h), ReferenceScale(picture, w, h)))
        << w << " x " << h;
  }
}

TEST(ResizeBilinear, KeepsDescriptionAndKind) {
  PLWinBmp picture;
  picture.Create(10, 10, 32, true, false, nullptr, 0, {300, 150});
  FillPattern(picture);
  picture.ApplyFilter(PLFilterResizeBilinear(3, 7));
  EXPECT_EQ(picture.GetSize(), (PLPoint{3, 7}));
  EXPECT_TRUE(picture.Alpha());
  EXPECT_EQ(picture.Resolution(), (PLPoint{300, 150}));
  EXPECT_EQ(picture.BytesPerLine(), 12);
  EXPECT_EQ(picture.DibBlock().size(), 40u + 12u * 7u);
}

TEST(ResizeBilinear, EmptySizesGiveEmptyOrBlackPictures) {
  PLAnyBmp picture;
  picture.Create(4, 4, 32, false, false);
  FillPattern(picture);
  EXPECT_EQ(Resized(picture, 0, 3).GetSize(), (PLPoint{0, 3}));
  PLAnyBmp empty;
  empty.Create(0, 0, 32, false, false);
  const PLAnyBmp grown = Resized(empty, 2, 2);
  EXPECT_EQ(Pixel32(grown, 1, 1), Grey(0));
}

TEST(ResizeBilinear, RefusesOtherDepthsAndBadSizesWithoutChangingThePicture) {
  PLWinBmp picture;
  picture.Create(4, 4, 24, false, false);
  const auto codeOf = [&](int width) {
    return Raised<PLTextException>([&] { picture.ApplyFilter(PLFilterResizeBilinear(width, 2)); })
        .Code();
  };
  EXPECT_EQ(codeOf(2), PL_ERRUNEXPECTED_DATA);  // a 24-bit picture
  picture.Create(4, 4, 32, false, false);
  EXPECT_EQ(codeOf(-2), PL_ERRNO_MEMORY);
  EXPECT_EQ(picture.GetSize(), (PLPoint{4, 4}));
}

}  // namespace
