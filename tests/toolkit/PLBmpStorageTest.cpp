#include "toolkit/PLBmpStorage.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstdint>
#include <ostream>

#include "support/Raised.h"
#include "toolkit/PLTextException.h"

namespace {

constexpr std::int64_t kFourGiB = std::int64_t{1} << 32;

// Rows of widths that do not fill whole bytes or words, at every depth.
TEST(PLBmpStorageRows, PartBytesAndPartWordsCountWhole) {
  const struct {
    int width, bpp;
    std::int64_t packed, aligned;
  } cases[] = {
      {0, 1, 0, 0},
      {1, 1, 1, 4},
      {7, 1, 1, 4},
      {8, 1, 1, 4},
      {9, 1, 2, 4},
      {31, 1, 4, 4},
      {32, 1, 4, 4},
      {33, 1, 5, 8},
      {1, 8, 1, 4},
      {3, 8, 3, 4},
      {4, 8, 4, 4},
      {5, 8, 5, 8},
      {1, 24, 3, 4},
      {3, 24, 9, 12},
      {4, 24, 12, 12},
      {5, 24, 15, 16},
      {1, 32, 4, 4},
      {INT_MAX, 32, std::int64_t{INT_MAX} * 4, std::int64_t{INT_MAX} * 4},
      {INT_MAX, 1, 268435456, 268435456},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(PLPackedBytesPerLine(c.width, c.bpp), c.packed) << c.width << " at " << c.bpp;
    EXPECT_EQ(PLAlignedBytesPerLine(c.width, c.bpp), c.aligned) << c.width << " at " << c.bpp;
  }
}

// What a bitmap's description asks for, and the block size granted, if any.
struct BlockCase {
  int width, height, bpp;
  std::int64_t bytesPerLine;
  std::size_t header;
  bool granted;
  std::int64_t size;
};

void PrintTo(const BlockCase& c, std::ostream* out) {
  *out << c.width << " x " << c.height << " at " << c.bpp << " bits, " << c.bytesPerLine
       << " bytes a row, " << c.header << " before";
}

class PLBmpStorageBlock : public testing::TestWithParam<BlockCase> {};

TEST_P(PLBmpStorageBlock, IsGrantedUpTo4GiBAndRefusedWithCodeTenBeyond) {
  const BlockCase& c = GetParam();
  if (c.granted) {
    EXPECT_EQ(PLCheckedBlockSize(c.width, c.height, c.bpp, c.bytesPerLine, c.header),
              static_cast<std::size_t>(c.size));
    return;
  }
  EXPECT_EQ(Raised<PLTextException>([&] {
              PLCheckedBlockSize(c.width, c.height, c.bpp, c.bytesPerLine, c.header);
            }).Code(),
            PL_ERRNO_MEMORY);
}

constexpr std::int64_t kGiB = std::int64_t{1} << 30;

INSTANTIATE_TEST_SUITE_P(
    Limits, PLBmpStorageBlock,
    testing::Values(
        BlockCase{0, 0, 32, 0, 0, true, 0}, BlockCase{1, 1, 32, 4, 40, true, 44},
        // 4 GiB in all, header included, is the most; one byte more is refused.
        BlockCase{1, 4, 32, kGiB - 10, 40, true, kFourGiB},
        BlockCase{1, 4, 32, kGiB - 10, 41, false, 0},
        BlockCase{65536, 16384, 32, 262144, 0, true, kFourGiB},
        BlockCase{65536, 16385, 32, 262144, 0, false, 0},
        // A row of up to INT_MAX bytes can be described; one more is refused at any height.
        BlockCase{1, 1, 32, INT_MAX, 0, true, INT_MAX},
        BlockCase{1, 1, 32, std::int64_t{INT_MAX} + 1, 0, false, 0},
        BlockCase{-1, 1, 32, 4, 0, false, 0}, BlockCase{1, -1, 32, 4, 0, false, 0},
        BlockCase{1, 1, 16, 2, 0, false, 0}, BlockCase{1, 1, 4, 1, 0, false, 0}));

}  // namespace
