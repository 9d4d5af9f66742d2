#include "platform/ZeroedBlock.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <utility>

namespace {

// Sizes on both sides of the points from which blocks are mapped from the system and ask for
// huge pages, and one that is not a whole number of huge pages.
constexpr std::size_t kMegabyte = std::size_t{1} << 20;
const std::size_t kSizes[] = {0,
                              1,
                              4096,
                              kMegabyte / 4 - 1,
                              kMegabyte / 4,
                              kMegabyte / 4 + 4097,
                              2 * kMegabyte - 1,
                              2 * kMegabyte,
                              2 * kMegabyte + 1,
                              7 * kMegabyte + 12345};

TEST(ZeroedBlock, EveryByteIsZeroAndWritable) {
  for (const std::size_t size : kSizes) {
    SCOPED_TRACE(size);
    ZeroedBlock block = ZeroedBlock::Allocate(size);
    ASSERT_TRUE(block);
    EXPECT_EQ(block.size(), size);
    EXPECT_TRUE(
        std::all_of(block.get(), block.get() + size, [](std::uint8_t b) { return b == 0; }));
    std::fill(block.get(), block.get() + size, std::uint8_t{0xA5});
    if (size > 0) {
      EXPECT_EQ(block.get()[size - 1], 0xA5);
    }
  }
}

TEST(ZeroedBlock, MovingHandsOverTheMemory) {
  ZeroedBlock first = ZeroedBlock::Allocate(3 * kMegabyte);
  ASSERT_TRUE(first);
  std::uint8_t* const memory = first.get();
  memory[3 * kMegabyte - 1] = 7;
  ZeroedBlock second(std::move(first));
  EXPECT_FALSE(first);
  EXPECT_EQ(first.size(), 0u);
  EXPECT_EQ(second.get(), memory);
  ZeroedBlock third = ZeroedBlock::Allocate(10);
  third = std::move(second);
  EXPECT_FALSE(second);
  EXPECT_EQ(third.get(), memory);
  EXPECT_EQ(third.size(), 3 * kMegabyte);
  EXPECT_EQ(third.get()[3 * kMegabyte - 1], 7);
  third = ZeroedBlock();
  EXPECT_FALSE(third);
}

}  // namespace
