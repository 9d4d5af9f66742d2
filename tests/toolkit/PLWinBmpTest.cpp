#include <gtest/gtest.h>

#include <cstdint>
#include <span>
#include <vector>

#include "BitmapTestSupport.h"
#include "support/Raised.h"
#include "toolkit/PLAnyBmp.h"
#include "toolkit/PLTextException.h"
#include "toolkit/PLWinBmp.h"

namespace {

void PutLe32(std::vector<std::uint8_t>& block, std::size_t at, std::uint32_t value) {
  for (int i = 0; i < 4; ++i) block[at + i] = static_cast<std::uint8_t>(value >> (8 * i));
}

// A packed DIB header with the given fields; everything else zero.
std::vector<std::uint8_t> Header(int width, int height, int bpp, std::uint32_t coloursUsed = 0) {
  std::vector<std::uint8_t> block(40);
  PutLe32(block, 0, 40);
  PutLe32(block, 4, static_cast<std::uint32_t>(width));
  PutLe32(block, 8, static_cast<std::uint32_t>(height));
  block[12] = 1;
  block[14] = static_cast<std::uint8_t>(bpp);
  PutLe32(block, 32, coloursUsed);
  return block;
}

void Append(std::vector<std::uint8_t>& block, std::initializer_list<int> bytes) {
  for (int b : bytes) block.push_back(static_cast<std::uint8_t>(b));
}

TEST(PackedDib, RoundTripsThroughTheBlock) {
  PLWinBmp source;
  source.Create(5, 3, 32, false, false);
  FillPattern(source);
  PLWinBmp copy;
  copy.CreateFromPackedDib(source.DibBlock());
  EXPECT_TRUE(SamePixels(copy, source));
  EXPECT_FALSE(copy.Alpha());
  EXPECT_EQ(copy.Resolution(), (PLPoint{0, 0}));
}

TEST(PackedDib, BottomUpRowsAreReadWithTheTopRowLast) {
  std::vector<std::uint8_t> block = Header(2, 2, 24);
  Append(block, {1, 1, 1, 2, 2, 2, 0, 0});  // stored first: the bottom row
  Append(block, {3, 3, 3, 4, 4, 4, 0, 0});
  PLWinBmp bitmap;
  bitmap.CreateFromPackedDib(block);
  EXPECT_EQ(RowBytes(bitmap, 0, 6), (std::vector<std::uint8_t>{3, 3, 3, 4, 4, 4}));
  EXPECT_EQ(RowBytes(bitmap, 1, 6), (std::vector<std::uint8_t>{1, 1, 1, 2, 2, 2}));
}

TEST(PackedDib, TopDownRowsKeepTheirOrder) {
  std::vector<std::uint8_t> block = Header(1, -2, 32);
  Append(block, {1, 2, 3, 4, 5, 6, 7, 8});
  PLWinBmp bitmap;
  bitmap.CreateFromPackedDib(block);
  EXPECT_EQ(bitmap.GetSize(), (PLPoint{1, 2}));
  EXPECT_EQ(Pixel32(bitmap, 0, 0), (PLPixel32{1, 2, 3, 4}));
  EXPECT_EQ(Pixel32(bitmap, 0, 1), (PLPixel32{5, 6, 7, 8}));
}

TEST(PackedDib, KeepsItsColourTableIncludingAShortOne) {
  std::vector<std::uint8_t> block = Header(3, 1, 8, 2);
  Append(block, {0, 0, 255, 0, 255, 0, 0, 0});  // red, blue
  Append(block, {1, 0, 1, 0});
  PLWinBmp bitmap;
  bitmap.CreateFromPackedDib(block);
  EXPECT_EQ(bitmap.Palette()[0], (PLPixel32{0, 0, 255, 0}));
  EXPECT_EQ(bitmap.Palette()[1], (PLPixel32{255, 0, 0, 0}));
  EXPECT_EQ(RowBytes(bitmap, 0, 3), (std::vector<std::uint8_t>{1, 0, 1}));
  PLAnyBmp wide;
  wide.CopyFrom(bitmap, 32);
  EXPECT_EQ(Pixel32(wide, 0, 0), (PLPixel32{255, 0, 0, 0}));
}

TEST(PackedDib, MalformedBlocksFailWithoutTouchingTheBitmap) {
  auto withPixels = [](std::vector<std::uint8_t> block, std::size_t bytes) {
    block.resize(block.size() + bytes);
    return block;
  };
  std::vector<std::uint8_t> compressed = withPixels(Header(1, 1, 32), 4);
  PutLe32(compressed, 16, 1);
  std::vector<std::uint8_t> biggerHeader = withPixels(Header(1, 1, 32), 4);
  PutLe32(biggerHeader, 0, 124);
  const std::vector<std::vector<std::uint8_t>> blocks = {
      {},
      std::vector<std::uint8_t>(39),
      compressed,
      biggerHeader,
      withPixels(Header(1, 1, 16), 4),
      withPixels(Header(0, 1, 32), 4),
      withPixels(Header(-3, 1, 32), 12),
      withPixels(Header(1, 0, 32), 4),
      withPixels(Header(1, INT32_MIN, 32), 4),
      withPixels(Header(3, 2, 24), 23),          // one byte short of two 12-byte rows
      withPixels(Header(2, 1, 8), 4 * 255 + 4),  // the colour table is one entry short
      withPixels(Header(0x7FFFFFFF, 0x7FFFFFFF, 32), 64),
  };
  PLWinBmp bitmap;
  bitmap.Create(2, 2, 32, false, false);
  FillPattern(bitmap);
  PLAnyBmp original;
  original.CopyFrom(bitmap);
  for (std::size_t i = 0; i < blocks.size(); ++i) {
    SCOPED_TRACE(i);
    EXPECT_EQ(Raised<PLTextException>([&] { bitmap.CreateFromPackedDib(blocks[i]); }).Code(),
              PL_ERRUNEXPECTED_DATA);
    ASSERT_TRUE(SamePixels(bitmap, original));
  }
}

TEST(CopyConstruction, MakesAWindowsBitmapOfAnyBitmap) {
  PLAnyBmp source;
  source.Create(3, 2, 8, false, true, nullptr, 0, {96, 48});
  source.RowTable()[1][2] = 77;
  source.Palette()[77] = {1, 2, 3, 4};
  const PLWinBmp copy(source);
  EXPECT_TRUE(SamePixels(copy, source));
  EXPECT_EQ(copy.BytesPerLine(), 4);
  EXPECT_TRUE(copy.Greyscale());
  EXPECT_EQ(copy.Resolution(), (PLPoint{96, 48}));
  EXPECT_EQ(copy.Palette()[77], (PLPixel32{1, 2, 3, 4}));

  const PLWinBmp second(copy);
  EXPECT_TRUE(SamePixels(second, source));
  EXPECT_NE(second.RowTable()[0], copy.RowTable()[0]);
}

}  // namespace
