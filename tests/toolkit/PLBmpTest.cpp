#include <gtest/gtest.h>

#include <climits>
#include <cstdint>
#include <vector>

#include "BitmapTestSupport.h"
#include "support/Raised.h"
#include "toolkit/PLAnyBmp.h"
#include "toolkit/PLTextException.h"
#include "toolkit/PLWinBmp.h"

namespace {

template <typename Bitmap>
class BothKinds : public ::testing::Test {};
using Kinds = ::testing::Types<PLWinBmp, PLAnyBmp>;
TYPED_TEST_SUITE(BothKinds, Kinds);

TYPED_TEST(BothKinds, StartsAsSixteenSquareGreyEightBitBitmap) {
  TypeParam bitmap;
  EXPECT_EQ(bitmap.GetSize(), (PLPoint{16, 16}));
  EXPECT_EQ(bitmap.BitsPerPixel(), 8);
  EXPECT_EQ(bitmap.Resolution(), (PLPoint{0, 0}));
  EXPECT_FALSE(bitmap.Alpha());
  EXPECT_FALSE(bitmap.Greyscale());
  EXPECT_EQ(bitmap.LockCount(), 0);
  EXPECT_EQ(bitmap.QuantizeDither(), 0);
  EXPECT_EQ(bitmap.QuantizePalette(), 2);
  ASSERT_NE(bitmap.Palette(), nullptr);
  for (int i = 0; i < 256; ++i) ASSERT_EQ(bitmap.Palette()[i], Grey(i, 255)) << i;
  for (int y = 0; y < 16; ++y) {
    for (int x = 0; x < 16; ++x) ASSERT_EQ(bitmap.RowTable()[y][x], 0);
  }
}

TYPED_TEST(BothKinds, CreateClearsPixelsAndTakesDescription) {
  // The second Create has a new size, the third the same size and depth as the second.
  TypeParam bitmap;
  bitmap.Create(5, 3, 32, true, false, nullptr, 0, {72, 96});
  FillPattern(bitmap);
  bitmap.Create(7, 2, 32, false, true, nullptr, 0, {300, 300});
  FillPattern(bitmap);
  bitmap.Create(7, 2, 32, true, false, nullptr, 0, {50, 50});
  EXPECT_EQ(bitmap.GetSize(), (PLPoint{7, 2}));
  EXPECT_EQ(bitmap.BitsPerPixel(), 32);
  EXPECT_TRUE(bitmap.Alpha());
  EXPECT_FALSE(bitmap.Greyscale());
  EXPECT_EQ(bitmap.Resolution(), (PLPoint{50, 50}));
  EXPECT_EQ(bitmap.Palette(), nullptr);
  for (int y = 0; y < 2; ++y) {
    for (int x = 0; x < 7; ++x) ASSERT_EQ(Pixel32(bitmap, x, y), Grey(0)) << x << "," << y;
  }

  bitmap.Create(3, 3, 8, false, false);
  bitmap.RowTable()[2][2] = 9;
  bitmap.Palette()[9] = {1, 2, 3, 4};
  bitmap.Create(3, 3, 8, false, true);
  EXPECT_EQ(bitmap.RowTable()[2][2], 0);
  EXPECT_EQ(bitmap.Palette()[9], Grey(9, 255));
  EXPECT_TRUE(bitmap.Greyscale());
}

TYPED_TEST(BothKinds, CreateFromInfoUsesEveryField) {
  TypeParam bitmap;
  bitmap.CreateFromInfo(PLBmpInfo(9, 4, 24, {150, 75}, false, false));
  EXPECT_EQ(bitmap.GetSize(), (PLPoint{9, 4}));
  EXPECT_EQ(bitmap.BitsPerPixel(), 24);
  EXPECT_EQ(bitmap.Resolution(), (PLPoint{150, 75}));
}

TYPED_TEST(BothKinds, CreateCopiesPackedAndStridedRows) {
  // Three rows of two 24-bit pixels: 6 bytes each, tightly packed, then with 2 bytes of gap.
  const std::vector<std::uint8_t> packed = {1,  2,  3,  4,  5,  6,  7,  8,  9,
                                            10, 11, 12, 13, 14, 15, 16, 17, 18};
  std::vector<std::uint8_t> strided;
  for (int row = 0; row < 3; ++row) {
    strided.insert(strided.end(), packed.begin() + 6 * row, packed.begin() + 6 * row + 6);
    strided.insert(strided.end(), {0xEE, 0xEE});
  }
  TypeParam fromPacked;
  fromPacked.Create(2, 3, 24, false, false, packed.data());
  TypeParam fromStrided;
  fromStrided.Create(2, 3, 24, false, false, strided.data(), 8);
  for (int row = 0; row < 3; ++row) {
    const std::vector<std::uint8_t> expected(packed.begin() + 6 * row,
                                             packed.begin() + 6 * row + 6);
    EXPECT_EQ(RowBytes(fromPacked, row, 6), expected) << row;
    EXPECT_EQ(RowBytes(fromStrided, row, 6), expected) << row;
  }
}

TYPED_TEST(BothKinds, CreateKeepsTheLastPartialByteOfOneBitRows) {
  // Width 10: the last two pixels live in the second byte of each row.
  const std::vector<std::uint8_t> bits = {0xFF, 0xC0, 0x00, 0x40};
  TypeParam bitmap;
  bitmap.Create(10, 2, 1, false, false, bits.data());
  EXPECT_EQ(RowBytes(bitmap, 0, 2), (std::vector<std::uint8_t>{0xFF, 0xC0}));
  EXPECT_EQ(RowBytes(bitmap, 1, 2), (std::vector<std::uint8_t>{0x00, 0x40}));
  EXPECT_EQ(bitmap.Palette()[0], Grey(0, 255));
  EXPECT_EQ(bitmap.Palette()[1], Grey(255, 255));
}

TYPED_TEST(BothKinds, ImpossibleSizesFailWithOutOfMemoryAndKeepTheBitmap) {
  TypeParam bitmap;
  bitmap.Create(3, 2, 32, false, false, nullptr, 0, {10, 20});
  FillPattern(bitmap);
  TypeParam original;
  original.CopyFrom(bitmap);

  struct Request {
    int Width, Height, Bpp;
  };
  for (const Request r :
       {Request{-1, 5, 32}, Request{5, -1, 8}, Request{INT_MAX, INT_MAX, 32},
        Request{INT_MAX, 1, 32}, Request{70000, 70000, 32}, Request{4, 4, 7}, Request{4, 4, 0}}) {
    SCOPED_TRACE(testing::Message() << r.Width << " x " << r.Height << " x " << r.Bpp);
    EXPECT_EQ(Raised<PLTextException>([&] {
                bitmap.Create(r.Width, r.Height, r.Bpp, false, false);
              }).Code(),
              PL_ERRNO_MEMORY);
    ASSERT_TRUE(SamePixels(bitmap, original));
    EXPECT_EQ(bitmap.Resolution(), (PLPoint{10, 20}));
  }
  EXPECT_THROW(bitmap.CopyFrom(bitmap, 16), PLTextException);
  EXPECT_TRUE(SamePixels(bitmap, original));
}

TYPED_TEST(BothKinds, EmptyBitmapsAreAllowed) {
  TypeParam bitmap;
  bitmap.Create(0, 5, 32, false, false);
  EXPECT_EQ(bitmap.GetSize(), (PLPoint{0, 5}));
  bitmap.Create(4, 0, 8, false, false);
  EXPECT_EQ(bitmap.GetSize(), (PLPoint{4, 0}));
  TypeParam copy;
  copy.CopyFrom(bitmap, 32);
  EXPECT_EQ(copy.GetSize(), (PLPoint{4, 0}));
}

TYPED_TEST(BothKinds, LockAndUnlockNest) {
  TypeParam bitmap;
  bitmap.Lock(true, false);
  bitmap.Lock(true, true);
  EXPECT_EQ(bitmap.LockCount(), 2);
  bitmap.Unlock();
  bitmap.Unlock();
  EXPECT_EQ(bitmap.LockCount(), 0);
}

TYPED_TEST(BothKinds, MemoryUsedCoversThePixels) {
  TypeParam bitmap;
  bitmap.Create(100, 50, 32, false, false);
  EXPECT_GE(bitmap.MemoryUsed(), 100u * 50u * 4u);
  EXPECT_LT(bitmap.MemoryUsed(), 100u * 50u * 4u + 4096u);
}

TEST(RowLayout, WindowsRowsArePaddedToFourBytesAndOthersAreNot) {
  struct Case {
    int Width, Bpp, Win, Any;
  };
  for (const Case c : {Case{3, 32, 12, 12}, Case{3, 8, 4, 3}, Case{3, 24, 12, 9}, Case{10, 1, 4, 2},
                       Case{16, 1, 4, 2}, Case{1, 24, 4, 3}}) {
    PLWinBmp win;
    win.Create(c.Width, 2, c.Bpp, false, false);
    PLAnyBmp any;
    any.Create(c.Width, 2, c.Bpp, false, false);
    EXPECT_EQ(win.BytesPerLine(), c.Win) << c.Width << " x " << c.Bpp;
    EXPECT_EQ(any.BytesPerLine(), c.Any) << c.Width << " x " << c.Bpp;
    EXPECT_EQ(any.RowTable()[1] - any.RowTable()[0], c.Any);
  }
}

TEST(RowLayout, WindowsBitmapStoresTheTopRowLast) {
  PLWinBmp bitmap;
  bitmap.Create(3, 4, 8, false, false);
  const std::span<const std::uint8_t> block = bitmap.DibBlock();
  const std::size_t pixelStart = 40 + 256 * 4;
  ASSERT_EQ(block.size(), pixelStart + 4 * 4);
  EXPECT_EQ(bitmap.RowTable()[0], block.data() + pixelStart + 3 * 4);
  EXPECT_EQ(bitmap.RowTable()[3], block.data() + pixelStart);
  EXPECT_EQ(reinterpret_cast<const std::uint8_t*>(bitmap.Palette()), block.data() + 40);
}

TEST(RowLayout, WindowsHeaderDescribesTheBlock) {
  PLWinBmp bitmap;
  bitmap.Create(300, 200, 32, false, false, nullptr, 0, {72, 72});
  const std::span<const std::uint8_t> block = bitmap.DibBlock();
  ASSERT_EQ(block.size(), 40u + 300u * 200u * 4u);
  const std::vector<std::uint8_t> header(block.begin(), block.begin() + 40);
  const std::vector<std::uint8_t> expected = {40, 0, 0, 0, 0x2C, 1, 0, 0, 200, 0, 0, 0, 1, 0,
                                              32, 0, 0, 0, 0,    0, 0, 0, 0,   0, 0, 0, 0, 0,
                                              0,  0, 0, 0, 0,    0, 0, 0, 0,   0, 0, 0};
  EXPECT_EQ(header, expected);
}

TEST(GreyPalette, OneBitBitmapsGetBlackAndWhite) {
  PLAnyBmp bitmap;
  bitmap.Create(8, 1, 1, false, false);
  bitmap.Palette()[0] = {1, 2, 3, 4};
  bitmap.SetGreyPalette();
  EXPECT_EQ(bitmap.Palette()[0], Grey(0, 255));
  EXPECT_EQ(bitmap.Palette()[1], Grey(255, 255));
}

}  // namespace
