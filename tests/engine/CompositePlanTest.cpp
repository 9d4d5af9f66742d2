#include "engine/CompositePlan.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "engine/GridParameters.h"
#include "layout/Montage.h"

namespace {

const Rect Landscape10x8{0, 0, 2540, 2032};

std::vector<PlacementKind> Kinds(const CompositePlan& plan) {
  std::vector<PlacementKind> kinds;
  for (const Placement& placement : plan.Placements()) kinds.push_back(placement.Kind);
  return kinds;
}

std::size_t CountOf(const CompositePlan& plan, PlacementKind kind) {
  std::size_t count = 0;
  for (const Placement& placement : plan.Placements()) count += placement.Kind == kind;
  return count;
}

const Placement* Find(const CompositePlan& plan, PlacementKind kind) {
  for (const Placement& placement : plan.Placements()) {
    if (placement.Kind == kind) return &placement;
  }
  return nullptr;
}

TEST(CompositePlanOrder, DefaultLayoutDrawsInReadingOrder) {
  const CompositePlan plan(Montage(), Landscape10x8, 19, true);

  using enum PlacementKind;
  std::vector<PlacementKind> expected(11, SmallImage);
  expected.push_back(MainImage);
  expected.insert(expected.end(), 8, SmallImage);
  expected.push_back(Captions);
  EXPECT_EQ(Kinds(plan), expected);

  std::size_t item = 0;
  for (const Placement& placement : plan.Placements()) {
    if (placement.Kind == SmallImage) {
      EXPECT_EQ(placement.Item, item++);
    }
  }
  EXPECT_EQ(plan.ImageMargin(), 31);
  EXPECT_EQ(plan.Placements()[0].Box, (Rect{31, 31, 286, 477}));
  // The last small image sits in row 2, column 6, beside the main block.
  EXPECT_EQ(plan.Placements()[19].Box, (Rect{1936, 1047, 2191, 1493}));

  const Placement* main = Find(plan, MainImage);
  ASSERT_NE(main, nullptr);
  EXPECT_EQ(main->Row, 1);
  EXPECT_EQ(main->Col, 3);
  EXPECT_EQ(main->Box, (Rect{1014, 570, 1524, 1462}));
  const Placement* captions = Find(plan, Captions);
  ASSERT_NE(captions, nullptr);
  EXPECT_EQ(captions->Box, (Rect{666, 1555, 1872, 2001}));
}

TEST(CompositePlanOffsets, ShortLastRowIsCentred) {
  Montage layout;
  layout.MainImageMultiple = 1;
  layout.NumCaptionLines = 0;
  const CompositePlan plan(layout, Landscape10x8, 11, true);

  ASSERT_EQ(plan.Placements().size(), 11u);
  EXPECT_EQ(plan.ImageMargin(), 63);
  EXPECT_EQ(plan.Placements()[7].Offset, 0);
  EXPECT_EQ(plan.Placements()[8].Offset, 318);
  EXPECT_EQ(plan.Placements()[8].Box.Left, 63 + 318);
  EXPECT_EQ(plan.Placements()[10].Box.Right, 1270 + 318 + 635 - 63);
}

TEST(CompositePlanOffsets, WidenedBlocksAreDrawnCentredInTheirColumns) {
  Montage layout;
  layout.NumCaptionLines = 0;
  const CompositePlan plan(layout, Landscape10x8, 22, true);
  const Placement* main = Find(plan, PlacementKind::MainImage);
  ASSERT_NE(main, nullptr);
  EXPECT_EQ(main->Offset, 181);
  // Columns 2 to 4 of 362.857: the image spans two of them, starting half a cell in.
  EXPECT_EQ(main->Box.Left, 725 + 2 * plan.ImageMargin() + 181);
  EXPECT_EQ(main->Box.Width(), 2 * 362 - 4 * plan.ImageMargin());

  Montage captions;
  captions.MainImageMultiple = 1;
  captions.CaptionCols = 3;
  const CompositePlan captionPlan(captions, Landscape10x8, 19, true);
  ASSERT_EQ(captionPlan.Grid().Cols % 2, 0u);
  const Placement* block = Find(captionPlan, PlacementKind::Captions);
  ASSERT_NE(block, nullptr);
  EXPECT_EQ(captionPlan.Grid().CaptionBlock.Width(), 4);
  EXPECT_EQ(block->Offset, static_cast<int>(captionPlan.Grid().CellWidth) / 2);
  EXPECT_EQ(block->ColSpan, 3);
}

TEST(CompositePlanOffsets, OuterMarginShiftsEverythingAndShrinksTheArea) {
  Montage layout;
  layout.OuterMargin = 100;
  const CompositePlan margined(layout, Rect{0, 0, 2740, 2232}, 19, true);

  EXPECT_EQ(margined.InnerArea(), (Rect{100, 100, 2640, 2132}));
  EXPECT_EQ(margined.Grid().Width, 2540u);
  EXPECT_EQ(margined.Grid().Height, 2032u);
  EXPECT_EQ(margined.Placements()[0].Box, (Rect{131, 131, 386, 577}));
}

TEST(CompositePlanBlocks, MainImageIsNotDrawnWhenCaptionsTakeItsCorner) {
  Montage layout;
  layout.MainImagePosition = 9;
  layout.CaptionPosition = 9;
  const CompositePlan plan(layout, Landscape10x8, 19, true);
  EXPECT_EQ(CountOf(plan, PlacementKind::MainImage), 0u);
  EXPECT_EQ(CountOf(plan, PlacementKind::Captions), 1u);
  EXPECT_EQ(CountOf(plan, PlacementKind::SmallImage), 19u);

  layout.CaptionPosition = MiddleCentre;
  layout.CaptionCols = 5;
  const CompositePlan uncovered(layout, Landscape10x8, 19, true);
  EXPECT_EQ(CountOf(uncovered, PlacementKind::MainImage), 1u);
}

TEST(CompositePlanBounds, MarginOfHalfThePageOrMoreLeavesNothingToPlace) {
  for (std::uint32_t margin : {1016u, 1270u, 5000u, 4000000000u}) {
    Montage layout;
    layout.OuterMargin = margin;
    const CompositePlan plan(layout, Landscape10x8, 19, true);
    EXPECT_EQ(plan.Grid().Height, 0u) << margin;
    EXPECT_EQ(plan.Grid().Rows, 0u) << margin;
    EXPECT_TRUE(plan.Grid().Cells.empty()) << margin;
    EXPECT_TRUE(plan.Placements().empty()) << margin;
    EXPECT_EQ(plan.Grid().MainBlock, (Rect{-1, -1, -1, -1})) << margin;
  }
}

TEST(CompositePlanBounds, NothingToPlaceGivesAnEmptyGrid) {
  Montage layout;
  layout.MainImageMultiple = 1;
  layout.NumCaptionLines = 0;
  const CompositePlan plan(layout, Landscape10x8, 0, true);
  EXPECT_EQ(plan.Grid().Rows, 0u);
  EXPECT_EQ(plan.Grid().CellHeight, 0.0);
  EXPECT_TRUE(plan.Placements().empty());

  // Without images the blocks are still laid out.
  const CompositePlan blocksOnly(Montage(), Landscape10x8, 0, true);
  EXPECT_EQ(CountOf(blocksOnly, PlacementKind::SmallImage), 0u);
  EXPECT_EQ(CountOf(blocksOnly, PlacementKind::MainImage), 1u);
}

TEST(CompositePlanBounds, LargeGroupsPlaceEveryImageUpToTheLimit) {
  const struct {
    std::uint32_t count;
    std::size_t placed;
  } cases[] = {
      {9999, 9999}, {99999, 99999}, {100000, 100000}, {100001, 100000}, {UINT32_MAX, 100000}};
  for (const auto& c : cases) {
    const CompositePlan plan(Montage(), Landscape10x8, c.count, true);
    EXPECT_EQ(plan.Grid().Count, c.placed) << c.count;
    EXPECT_EQ(CountOf(plan, PlacementKind::SmallImage), c.placed) << c.count;
    EXPECT_EQ(CountOf(plan, PlacementKind::MainImage), 1u) << c.count;
    for (const Placement& placement : plan.Placements()) {
      ASSERT_GE(placement.Box.Left, 0) << c.count;
      ASSERT_LE(placement.Box.Right, 2540) << c.count;
      ASSERT_LE(placement.Box.Bottom, 2032) << c.count;
    }
  }
}

// Values a layout file can carry but the form never produces. Each must give a grid of bounded
// size whose placements are ordinary boxes, whatever the number of images or the page.
struct HostileLayout {
  std::string name;
  std::function<void(Montage&)> change;
};

class CompositePlanHostile : public testing::TestWithParam<HostileLayout> {};

TEST_P(CompositePlanHostile, StaysBoundedAndWellFormed) {
  Montage layout;
  GetParam().change(layout);
  const std::vector<Rect> pages{
      Landscape10x8, {0, 0, 1, 2000000000}, {0, 0, 2000000000, 1}, {0, 0, 3, 3}};
  for (const Rect& page : pages) {
    for (std::uint32_t count : {0u, 1u, 2u, 19u, 9999u}) {
      const CompositePlan plan(layout, page, count, true);
      const CompositeGrid& grid = plan.Grid();
      const std::uint64_t blockCells =
          2ull * GridParameters::MaxBlockSpan * GridParameters::MaxBlockSpan;
      ASSERT_EQ(grid.Cells.size(), grid.Rows);
      ASSERT_LE(std::uint64_t{grid.Rows} * grid.Cols, 2 * (count + blockCells + 2));
      for (const auto& row : grid.Cells) ASSERT_LE(row.size(), grid.Cols);
      ASSERT_LE(CountOf(plan, PlacementKind::SmallImage), count);
      for (const Placement& placement : plan.Placements()) {
        ASSERT_LE(placement.Box.Left, placement.Box.Right) << count;
        ASSERT_LE(placement.Box.Top, placement.Box.Bottom) << count;
      }
    }
  }
}

INSTANTIATE_TEST_SUITE_P(
    LayoutFileValues, CompositePlanHostile,
    testing::Values(
        HostileLayout{"CropHeightZero", [](Montage& m) { m.CropHeight = 0; }},
        HostileLayout{"CropWidthZero", [](Montage& m) { m.CropWidth = 0; }},
        HostileLayout{"CropBothZero", [](Montage& m) { m.CropHeight = m.CropWidth = 0; }},
        HostileLayout{"CropExtreme", [](Montage& m) { m.CropHeight = UINT32_MAX; }},
        HostileLayout{"CropExtremeWide", [](Montage& m) { m.CropWidth = UINT32_MAX; }},
        HostileLayout{"ManyCaptionLines", [](Montage& m) { m.NumCaptionLines = UINT32_MAX; }},
        HostileLayout{"HugeMain", [](Montage& m) { m.MainImageMultiple = UINT32_MAX; }},
        HostileLayout{"LargeMain", [](Montage& m) { m.MainImageMultiple = 50; }},
        HostileLayout{"HugeCaptionBlock",
                      [](Montage& m) { m.CaptionRows = m.CaptionCols = UINT32_MAX; }},
        HostileLayout{"WideCaptionBlock", [](Montage& m) { m.CaptionCols = 4000000000u; }},
        HostileLayout{"EmptyCaptionBlock", [](Montage& m) { m.CaptionRows = m.CaptionCols = 0; }},
        HostileLayout{"LargeBlocks",
                      [](Montage& m) {
                        m.MainImageMultiple = 10;
                        m.CaptionRows = 50;
                        m.CaptionCols = 50;
                      }},
        HostileLayout{"NegativePositions",
                      [](Montage& m) { m.MainImagePosition = m.CaptionPosition = INT_MIN; }},
        HostileLayout{"LargePositions",
                      [](Montage& m) { m.MainImagePosition = m.CaptionPosition = INT_MAX; }},
        HostileLayout{"HugeImageMargin", [](Montage& m) { m.ImageMargin = UINT32_MAX; }},
        HostileLayout{"MarginNearlyHalf", [](Montage& m) { m.OuterMargin = 1015; }}),
    [](const testing::TestParamInfo<HostileLayout>& info) { return info.param.name; });

}  // namespace
