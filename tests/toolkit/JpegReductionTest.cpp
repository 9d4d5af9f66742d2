// Decoding reduced by libjpeg's DCT scaling: the sizes it gives, how close its pixels come to a
// full decode shrunk afterwards, and the pixel limits on the declared and the decoded size.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "support/Raised.h"
#include "support/TestJpeg.h"
#include "toolkit/PLJPEGDecoder.h"
#include "toolkit/PLTextException.h"
#include "toolkit/PLWinBmp.h"

using namespace testsupport;

namespace {

using Bytes = std::vector<std::uint8_t>;

PLTextException ReadFailure(PLJPEGDecoder& decoder, const Bytes& jpeg, int reduction) {
  PLWinBmp bmp;
  decoder.SetReduction(reduction);
  return Raised<PLTextException>([&] { decoder.DecodeMemory(jpeg.data(), jpeg.size(), bmp, 32); });
}

TEST(JpegReduction, GivesTheSizeRoundedUpForEveryReduction) {
  const Bytes jpeg = EncodeJpeg({.width = 67, .height = 45});
  const struct {
    int asked, reduction;
    PLPoint size;
  } cases[] = {{1, 1, {67, 45}}, {2, 2, {34, 23}}, {4, 4, {17, 12}}, {8, 8, {9, 6}},
               {3, 2, {34, 23}}, {0, 1, {67, 45}}, {16, 8, {9, 6}},  {-4, 1, {67, 45}}};
  PLJPEGDecoder decoder;
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << "asked 1/" << c.asked);
    decoder.SetReduction(c.asked);
    EXPECT_EQ(decoder.Reduction(), c.reduction);
    PLWinBmp bmp;
    decoder.DecodeMemory(jpeg.data(), jpeg.size(), bmp, 32);
    EXPECT_EQ(bmp.GetSize(), c.size);
    EXPECT_EQ(bmp.BitsPerPixel(), 32);
  }
}

TEST(JpegReduction, ChangesTheDescriptionOfTheOpenFileAndKeepsItsDeclaredSize) {
  const Bytes jpeg = EncodeJpeg({.width = 64, .height = 48, .xDensity = 300, .yDensity = 200});
  PLJPEGDecoder decoder;
  EXPECT_EQ(decoder.DeclaredSize(), (PLPoint{0, 0}));
  decoder.OpenMemory(jpeg.data(), jpeg.size());
  EXPECT_EQ(decoder.GetSize(), (PLPoint{64, 48}));
  decoder.SetReduction(4);
  EXPECT_EQ(decoder.GetSize(), (PLPoint{16, 12}));
  EXPECT_EQ(decoder.DeclaredSize(), (PLPoint{64, 48}));
  // The same inches hold a quarter of the pixels.
  EXPECT_EQ(decoder.Resolution(), (PLPoint{75, 50}));
  PLWinBmp bmp;
  decoder.ReadImage(bmp, 32);
  EXPECT_EQ(bmp.GetSize(), (PLPoint{16, 12}));
  EXPECT_EQ(bmp.Resolution(), (PLPoint{75, 50}));
}

// The mean of each reduction x reduction square of the full picture, per colour byte.
std::vector<int> BoxAverage(const PLWinBmp& full, int reduction, int x, int y) {
  std::vector<int> sums(3, 0);
  for (int dy = 0; dy < reduction; ++dy) {
    const std::uint8_t* row = full.RowTable()[y * reduction + dy];
    for (int dx = 0; dx < reduction; ++dx) {
      for (int c = 0; c < 3; ++c) sums[c] += row[(x * reduction + dx) * 4 + c];
    }
  }
  for (int& sum : sums) sum /= reduction * reduction;
  return sums;
}

TEST(JpegReduction, MatchesAFullDecodeShrunkByAveraging) {
  // Sides that every reduction divides, so each reduced pixel stands for a whole square.
  const Bytes jpeg = EncodeJpeg({.width = 256, .height = 192, .quality = 95});
  PLJPEGDecoder decoder;
  decoder.SetFastDecoding(false);
  PLWinBmp full;
  decoder.DecodeMemory(jpeg.data(), jpeg.size(), full, 32);
  for (const int reduction : {2, 4, 8}) {
    SCOPED_TRACE(testing::Message() << "1/" << reduction);
    PLWinBmp reduced;
    decoder.SetReduction(reduction);
    decoder.DecodeMemory(jpeg.data(), jpeg.size(), reduced, 32);
    ASSERT_EQ(reduced.GetSize(), (PLPoint{256 / reduction, 192 / reduction}));
    int largest = 0;
    long long total = 0;
    for (int y = 0; y < reduced.Height(); ++y) {
      for (int x = 0; x < reduced.Width(); ++x) {
        const std::vector<int> expected = BoxAverage(full, reduction, x, y);
        for (int c = 0; c < 3; ++c) {
          const int difference = std::abs(reduced.RowTable()[y][x * 4 + c] - expected[c]);
          largest = std::max(largest, difference);
          total += difference;
        }
      }
    }
    const double mean = static_cast<double>(total) / (reduced.Width() * reduced.Height() * 3);
    EXPECT_LE(mean, 2.5);
    EXPECT_LE(largest, 24);
  }
}

TEST(JpegReduction, TheLimitCountsTheDecodedPixels) {
  const Bytes jpeg = EncodeJpeg({.width = 16, .height = 16});
  const struct {
    std::uint64_t limit;
    int reduction;
    bool decoded;
  } cases[] = {{256, 1, true}, {255, 1, false}, {64, 2, true},
               {63, 2, false}, {1, 8, false},   {4, 8, true}};
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << c.limit << " pixels at 1/" << c.reduction);
    PLJPEGDecoder decoder;
    decoder.SetPixelLimit(c.limit);
    decoder.SetReduction(c.reduction);
    PLWinBmp bmp;
    if (c.decoded) {
      decoder.DecodeMemory(jpeg.data(), jpeg.size(), bmp, 32);
      EXPECT_EQ(bmp.Width(), 16 / c.reduction);
    } else {
      EXPECT_EQ(ReadFailure(decoder, jpeg, c.reduction).Code(), PL_ERRTOO_LARGE);
      EXPECT_FALSE(decoder.IsOpen());
    }
  }
}

TEST(JpegReduction, RefusesAtOpenAFileThatNoReductionBringsWithinTheLimit) {
  // 1/8 of 129 x 128 is 17 x 16, beyond 256 pixels.
  const Bytes jpeg = EncodeJpeg({.width = 129, .height = 128});
  PLJPEGDecoder decoder;
  decoder.SetPixelLimit(256);
  const PLTextException e =
      Raised<PLTextException>([&] { decoder.OpenMemory(jpeg.data(), jpeg.size()); });
  EXPECT_EQ(e.Code(), PL_ERRTOO_LARGE);
  EXPECT_EQ(e.Message(), "Decoder error: Picture of 129 x 128 pixels is too large\n");
}

TEST(JpegReduction, DecodesAHundredMegapixelPictureReduced) {
  // 108 megapixels of one grey compress to a few hundred kilobytes.
  const Bytes jpeg = EncodeFlatJpeg({.width = 12000, .height = 9000, .quality = 75}, 90);
  ASSERT_LT(jpeg.size(), 2'000'000u);
  PLJPEGDecoder decoder;
  const PLTextException e = ReadFailure(decoder, jpeg, 1);
  EXPECT_EQ(e.Code(), PL_ERRTOO_LARGE);
  EXPECT_EQ(e.Message(), "Decoder error: Picture of 12000 x 9000 pixels is too large to decode\n");

  decoder.SetReduction(8);
  PLWinBmp bmp;
  decoder.DecodeMemory(jpeg.data(), jpeg.size(), bmp, 32);
  ASSERT_EQ(bmp.GetSize(), (PLPoint{1500, 1125}));
  for (const PLPoint at : {PLPoint{0, 0}, PLPoint{1499, 1124}, PLPoint{750, 600}}) {
    const std::uint8_t* pixel = bmp.RowTable()[at.y] + at.x * 4;
    EXPECT_EQ(pixel[0], 90);
    EXPECT_EQ(pixel[2], 90);
  }
}

}  // namespace
