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
}

}  // namespace
