#include "images/DecodeTarget.h"

#include <gtest/gtest.h>

namespace {

TEST(DecodeTarget, ChoosesTheCoarsestReductionWhoseCutStillCoversTheCell) {
  const struct {
    const char* name;
    int width, height;
    DecodeTarget target;
    int reduction;
  } cases[] = {
      // 1/8 of 6000 x 4000 is 750 x 500; cut to 10 : 8 it keeps 625 x 500.
      {"a class photograph", 6000, 4000, {400, 500, 10, 8, 0}, 8},
      {"the cut's long side just covers", 6000, 4000, {500, 625, 10, 8, 0}, 8},
      {"one pixel more needs 1/4", 6000, 4000, {500, 626, 10, 8, 0}, 4},
      {"a landscape cell against the long side", 6000, 4000, {625, 500, 10, 8, 0}, 8},
      // The cut's sides are truncated apart: 1/4 keeps 1251 x 1000.
      {"the 1/4 cut just covers", 6000, 4000, {1000, 1251, 10, 8, 0}, 4},
      {"then 1/2", 6000, 4000, {1000, 1252, 10, 8, 0}, 2},
      {"then the whole picture", 6000, 4000, {2001, 2500, 10, 8, 0}, 1},
      {"zoom keeps 80 percent", 6000, 4000, {400, 500, 10, 8, 20}, 8},
      {"zoom keeps less", 6000, 4000, {400, 500, 10, 8, 21}, 4},
      {"a portrait photograph", 4000, 6000, {400, 500, 8, 10, 0}, 8},
      {"without proportions the whole picture", 6000, 4000, {750, 500, 0, 0, 0}, 8},
      {"without proportions, one more", 6000, 4000, {751, 500, 0, 0, 0}, 4},
      {"a zoom out leaves the picture uncut", 6000, 4000, {750, 500, 10, 8, -50}, 8},
      {"sides round up", 6001, 4001, {751, 501, 0, 0, 0}, 8},
      {"a small picture", 100, 80, {50, 40, 0, 0, 0}, 2},
      {"a cell larger than the picture", 100, 80, {200, 160, 0, 0, 0}, 1},
      {"no cell", 6000, 4000, {0, 0, 10, 8, 0}, 1},
      {"a cell without height", 6000, 4000, {400, 0, 10, 8, 0}, 1},
      {"a picture without area", 0, 4000, {400, 500, 10, 8, 0}, 1},
      // Either way: 1/8 of 6000 x 4000 cut across to 8 : 10 keeps 400 x 500 (the along cut
      // keeps 625 x 500), so a cell one pixel wider needs 1/4 only when the cut may lie across.
      {"either way, the across cut covers", 6000, 4000, {400, 500, 10, 8, 0, true}, 8},
      {"either way, one pixel more", 6000, 4000, {401, 500, 10, 8, 0, true}, 4},
      {"along only, one pixel more", 6000, 4000, {401, 500, 10, 8, 0, false}, 8},
      {"either way, a portrait photograph", 4000, 6000, {400, 500, 8, 10, 0, true}, 8},
      {"either way, its long side", 4000, 6000, {400, 501, 8, 10, 0, true}, 4},
      {"either way without proportions", 6000, 4000, {750, 500, 0, 0, 0, true}, 8},
      {"either way, a square picture", 800, 800, {80, 100, 10, 8, 0, true}, 8},
      {"either way, a square picture, one more", 800, 800, {81, 100, 10, 8, 0, true}, 4},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(c.target.ReductionFor(c.width, c.height), c.reduction) << c.name;
  }
}

}  // namespace
