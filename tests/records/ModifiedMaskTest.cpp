#include "records/ModifiedMask.h"

#include <gtest/gtest.h>

namespace {

TEST(ModifiedMaskTest, TagsFromThirtyTwoUseTheHighWord) {
  ModifiedMask mask;
  mask.Set(0);
  mask.Set(31);
  mask.Set(33);
  EXPECT_EQ(mask.Low(), 0x80000001u);
  EXPECT_EQ(mask.High(), 0x2u);
  mask.Clear(31);
  EXPECT_FALSE(mask.IsSet(31));
  EXPECT_TRUE(mask.IsSet(33));
  EXPECT_FALSE(mask.IsSet(1));

  // Each tag alone, on either side of the change of word.
  const struct {
    unsigned tag;
    std::uint32_t low, high;
  } cases[] = {{0, 1, 0},  {1, 2, 0},  {30, 0x40000000u, 0}, {31, 0x80000000u, 0},
               {32, 0, 1}, {33, 0, 2}, {63, 0, 0x80000000u}};
  for (const auto& c : cases) {
    ModifiedMask single;
    single.Set(c.tag);
    EXPECT_EQ(single.Low(), c.low) << c.tag;
    EXPECT_EQ(single.High(), c.high) << c.tag;
    EXPECT_TRUE(single.IsSet(c.tag)) << c.tag;
    EXPECT_FALSE(single.IsSet(c.tag < 32 ? c.tag + 32 : c.tag - 32)) << c.tag;
  }
  ModifiedMask range;
  range.SetRange(30, 33);
  EXPECT_EQ(range.Low(), 0xC0000000u);
  EXPECT_EQ(range.High(), 0x3u);
}

}  // namespace
