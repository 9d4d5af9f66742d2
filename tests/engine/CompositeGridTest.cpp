#include "engine/CompositeGrid.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "layout/Montage.h"

namespace {

// The cells as the grid command prints them: one string per row, one digit per cell kind.
std::vector<std::string> CellRows(const CompositeGrid& grid) {
  std::vector<std::string> rows;
  for (const auto& row : grid.Cells) {
    std::string text;
    for (CellKind kind : row) text += static_cast<char>('0' + static_cast<int>(kind));
    rows.push_back(text);
  }
  return rows;
}

// A grid for landscape paper 2540 wide by 2032 high without outer margin and portrait images,
// the page of both worked examples.
CompositeGrid Compute(const Montage& layout, std::uint32_t count) {
  CompositeGrid grid;
  grid.Count = count;
  grid.Width = 2540;
  grid.Height = 2032;
  grid.NotLandscape = true;
  ComputeGrid(layout, grid);
  return grid;
}

Montage NoBlocks() {
  Montage layout;
  layout.MainImageMultiple = 1;
  layout.NumCaptionLines = 0;
  return layout;
}

Montage MainOnly() {
  Montage layout;
  layout.NumCaptionLines = 0;
  return layout;
}

const Rect NoBlock{-1, -1, -1, -1};

TEST(CompositeGridExamples, DefaultLayoutWithTwentyImages) {
  const CompositeGrid grid = Compute(Montage(), 19);

  EXPECT_EQ(grid.Rows, 4u);
  EXPECT_EQ(grid.Cols, 8u);
  EXPECT_EQ(grid.CellHeight, 508.0);
  EXPECT_EQ(grid.CellWidth, 317.5);
  EXPECT_EQ(grid.MainBlock, (Rect{3, 1, 5, 3}));
  EXPECT_EQ(grid.CaptionBlock, (Rect{2, 3, 6, 4}));
  EXPECT_EQ(CellRows(grid),
            (std::vector<std::string>{"00000000", "00011000", "00011003", "33222233"}));
  EXPECT_EQ(LastRowCount(grid), 5u);
  EXPECT_EQ(LastRowOffset(grid), 0);
  EXPECT_EQ(MainBlockOffset(Montage(), grid), 0);
}

TEST(CompositeGridExamples, ElevenImagesTakeTheTrialWithOneColumnFewer) {
  const CompositeGrid grid = Compute(NoBlocks(), 11);

  EXPECT_EQ(grid.Rows, 3u);
  EXPECT_EQ(grid.Cols, 4u);
  EXPECT_EQ(grid.CellWidth, 635.0);
  EXPECT_EQ(grid.CellHeight, 2032.0 / 3);
  EXPECT_EQ(grid.MainBlock, NoBlock);
  EXPECT_EQ(grid.CaptionBlock, NoBlock);
  EXPECT_EQ(CellRows(grid), (std::vector<std::string>{"0000", "0000", "000"}));
  EXPECT_EQ(LastRowCount(grid), 3u);
  EXPECT_EQ(LastRowOffset(grid), 318);
}

TEST(CompositeGridSizing, FullLastRowIsNeitherCountedNorShifted) {
  const CompositeGrid grid = Compute(NoBlocks(), 8);

  EXPECT_EQ(CellRows(grid), (std::vector<std::string>{"0000", "0000"}));
  EXPECT_EQ(LastRowCount(grid), 0u);
  EXPECT_EQ(LastRowOffset(grid), 0);
}

TEST(CompositeGridSizing, MainImageMultipleOfZeroMeansNoMainImage) {
  Montage zero = NoBlocks();
  zero.MainImageMultiple = 0;
  for (std::uint32_t count : {1u, 5u, 11u, 40u}) {
    const CompositeGrid withZero = Compute(zero, count);
    const CompositeGrid withOne = Compute(NoBlocks(), count);
    EXPECT_EQ(CellRows(withZero), CellRows(withOne)) << count;
    EXPECT_EQ(withZero.CellWidth, withOne.CellWidth) << count;
    EXPECT_EQ(withZero.MainBlock, NoBlock) << count;
  }
}

TEST(CompositeGridSizing, StopsWhenRowsNoLongerExceedTheMainMultiple) {
  // A very low strip cannot hold the crop proportion at any column count; the sizing stops once
  // the rows are down to the main block's height and the cells become flatter than the images.
  Montage layout = MainOnly();
  layout.MainImageMultiple = 3;
  CompositeGrid grid;
  grid.Count = 10;
  grid.Width = 2540;
  grid.Height = 100;
  ComputeGrid(layout, grid);

  EXPECT_EQ(grid.Rows, 3u);
  EXPECT_EQ(grid.CellHeight, 100.0 / 3);
  EXPECT_LT(grid.CellHeight, grid.CellWidth * 1.25);
}

TEST(CompositeGridSizing, LandscapeImagesUseTheInverseProportion) {
  CompositeGrid landscape;
  landscape.Count = 20;
  landscape.Width = 2540;
  landscape.Height = 2032;
  landscape.NotLandscape = false;
  ComputeGrid(NoBlocks(), landscape);
  EXPECT_EQ(landscape.Cols, 5u);
  EXPECT_EQ(landscape.Rows, 4u);
  EXPECT_EQ(landscape.CellWidth, 508.0);

  const CompositeGrid portrait = Compute(NoBlocks(), 20);
  EXPECT_EQ(portrait.Cols, 7u);
  EXPECT_EQ(portrait.Rows, 3u);

  // For portrait images only the proportion of the crop counts, not which number comes first.
  Montage swapped = NoBlocks();
  swapped.CropHeight = 8;
  swapped.CropWidth = 10;
  EXPECT_EQ(CellRows(Compute(swapped, 20)), CellRows(portrait));
}

TEST(CompositeGridBlocks, CentredEvenBlockIsWidenedInAnOddColumnCount) {
  const Montage layout = MainOnly();
  const CompositeGrid odd = Compute(layout, 22);
  ASSERT_EQ(odd.Cols, 7u);
  EXPECT_EQ(odd.MainBlock, (Rect{2, 1, 5, 3}));
  EXPECT_EQ(CellRows(odd), (std::vector<std::string>{"0000000", "0011100", "0011100", "0000000"}));
  EXPECT_EQ(MainBlockOffset(layout, odd), 181);  // trunc(362.857) div 2

  const CompositeGrid even = Compute(layout, 28);
  ASSERT_EQ(even.Cols, 8u);
  EXPECT_EQ(even.MainBlock, (Rect{3, 1, 5, 3}));
  EXPECT_EQ(MainBlockOffset(layout, even), 0);
}

TEST(CompositeGridBlocks, WideningCountsInTheSizing) {
  // The widened column is part of the cells needed, so 20 images with a widened block still
  // fit in 4 rows of 7 and the last row of 5 is centred.
  const CompositeGrid grid = Compute(MainOnly(), 20);
  EXPECT_EQ(CellRows(grid), (std::vector<std::string>{"0000000", "0011100", "0011100", "00000"}));
  EXPECT_EQ(LastRowOffset(grid), 1270 - 1814 / 2);
}

TEST(CompositeGridBlocks, CaptionAboveMovesCaptionsDirectlyAboveTheMainBlock) {
  Montage layout;
  layout.CaptionAbove = true;
  const CompositeGrid grid = Compute(layout, 19);

  EXPECT_EQ(grid.MainBlock, (Rect{3, 1, 5, 3}));
  EXPECT_EQ(grid.CaptionBlock, (Rect{2, 0, 6, 1}));
  EXPECT_EQ(CellRows(grid), (std::vector<std::string>{"00222200", "00011000", "00011000", "000"}));
  EXPECT_EQ(LastRowCount(grid), 3u);
  EXPECT_EQ(LastRowOffset(grid), 1270 - 952 / 2);
}

TEST(CompositeGridBlocks, CaptionsBelowThatLeaveTheGridMoveBothBlocksUp) {
  Montage layout;
  layout.CaptionPosition = BottomCentre;
  layout.CaptionRows = 2;
  const CompositeGrid grid = Compute(layout, 19);

  ASSERT_EQ(grid.Rows, 4u);
  EXPECT_EQ(grid.MainBlock, (Rect{3, 0, 5, 2}));
  EXPECT_EQ(grid.CaptionBlock, (Rect{2, 2, 6, 4}));
  EXPECT_EQ(CellRows(grid),
            (std::vector<std::string>{"00011000", "00011000", "00222200", "00222203"}));
}

TEST(CompositeGridBlocks, PositionsOutsideTheGridOfPlacesGoTopLeftAndStayPut) {
  for (std::int32_t position : {9, 12, -1, -3, -4, INT32_MIN, INT32_MAX}) {
    Montage layout;
    layout.MainImagePosition = position;
    layout.CaptionPosition = position;
    const CompositeGrid grid = Compute(layout, 19);

    // Neither block is widened or moved, and the captions, marked last, take the main block's
    // top-left cell.
    EXPECT_EQ(grid.MainBlock, (Rect{0, 0, 2, 2})) << position;
    EXPECT_EQ(grid.CaptionBlock, (Rect{0, 0, 4, 1})) << position;
    EXPECT_EQ(CellRows(grid)[0], "2222000") << position;
    EXPECT_EQ(CellRows(grid)[1], "1100000") << position;
  }
}

TEST(CompositeGridBlocks, CaptionsAtAnOutsidePositionDoNotMoveAMainBlockOutOfTheirWay) {
  Montage layout;
  layout.MainImagePosition = 9;
  layout.CaptionCols = 5;
  const CompositeGrid grid = Compute(layout, 19);

  EXPECT_EQ(grid.MainBlock, (Rect{0, 0, 2, 2}));
  EXPECT_EQ(grid.CaptionBlock, (Rect{1, 1, 6, 2}));
  EXPECT_EQ(CellRows(grid)[0], "1100000");
  EXPECT_EQ(CellRows(grid)[1], "1222220");
}

TEST(CompositeGridDistribution, LastImagesSitBesideTheBlockInTheirRow) {
  // Inside the row: alternately left and right of the block, nearest first.
  EXPECT_EQ(CellRows(Compute(Montage(), 18))[2], "30011003");

  // Against a block at the row's left or right end.
  Montage left = MainOnly();
  left.MainImagePosition = MiddleLeft;
  EXPECT_EQ(CellRows(Compute(left, 5)), (std::vector<std::string>{"11000", "11003"}));
  Montage right = MainOnly();
  right.MainImagePosition = MiddleRight;
  EXPECT_EQ(CellRows(Compute(right, 5)), (std::vector<std::string>{"00011", "30011"}));
  EXPECT_EQ(LastRowCount(Compute(right, 5)), 2u);
  EXPECT_EQ(LastRowOffset(Compute(right, 5)), 0);
}

TEST(CompositeGridDistribution, LastRowCountIsZeroForAFullRowBesideABlock) {
  const CompositeGrid grid = Compute(Montage(), 20);
  EXPECT_EQ(CellRows(grid),
            (std::vector<std::string>{"00000000", "00011000", "00011000", "33222233"}));
  EXPECT_EQ(LastRowCount(grid), 0u);
}

TEST(CompositeGridDistribution, LastRowCountReadsTheLowestRowWithImages) {
  CompositeGrid grid;
  EXPECT_EQ(LastRowCount(grid), 0u);

  using enum CellKind;
  grid.Cells = {{ImageCell, ImageCell, ImageCell}, {MainCell, MainCell, BlankCell}};
  EXPECT_EQ(LastRowCount(grid), 0u);  // no image in the last row: the full first row counts
  grid.Cells = {{ImageCell, ImageCell, ImageCell}, {ImageCell, BlankCell, MainCell}};
  EXPECT_EQ(LastRowCount(grid), 1u);
  grid.Cells = {{ImageCell, ImageCell, ImageCell}, {ImageCell, ImageCell}};
  EXPECT_EQ(LastRowCount(grid), 2u);
  grid.Cells = {{BlankCell, MainCell}, {CaptionCell, BlankCell}};
  EXPECT_EQ(LastRowCount(grid), 0u);
}

TEST(CompositeGridPlacement, CellRectUsesTruncatedCellSizesTimesTheSpan) {
  Montage layout;
  layout.OuterMargin = 100;
  CompositeGrid grid;
  grid.CellWidth = 317.5;
  grid.CellHeight = 406.4;

  EXPECT_EQ(ImageMargin(layout, grid), 31);
  EXPECT_EQ(CellRect(layout, grid, 0, 0, 1, 31, 0), (Rect{131, 131, 386, 475}));
  // trunc(3 x 317.5) = 952 for the corner but trunc(317.5) x 2 = 634 for the span.
  EXPECT_EQ(CellRect(layout, grid, 1, 3, 2, 62, 10), (Rect{1124, 568, 1634, 1256}));
  EXPECT_EQ(CellRect(layout, grid, 3, 2, 4, 1, 31, 0), (Rect{766, 1350, 1972, 1694}));
}

TEST(CompositeGridPlacement, ImageMarginAboveHalfACellIsHeldAtHalf) {
  CompositeGrid grid;
  grid.CellWidth = 300;
  grid.CellHeight = 400;
  // Percentages of the smaller side, 300; at half a cell the box has no width left.
  const struct {
    std::uint32_t percent;
    int margin;
  } cases[] = {{0, 0}, {1, 3}, {49, 147}, {50, 150}, {51, 150}, {4000000000u, 150}};
  for (const auto& c : cases) {
    Montage layout;
    layout.ImageMargin = c.percent;
    EXPECT_EQ(ImageMargin(layout, grid), c.margin) << c.percent;
    const Rect box = CellRect(layout, grid, 0, 0, 1, ImageMargin(layout, grid), 0);
    EXPECT_EQ(box.Width(), 300 - 2 * c.margin) << c.percent;
    EXPECT_EQ(box.Height(), 400 - 2 * c.margin) << c.percent;
  }
  // A margin that does not come out whole is truncated: 33 % of 317.5 is 104.775.
  Montage third;
  third.ImageMargin = 33;
  grid.CellWidth = 317.5;
  EXPECT_EQ(ImageMargin(third, grid), 104);
}

TEST(CompositeGridBlocks, BlocksAreHeldAtAHundredCellsEachWay) {
  // Blocks at the top left, so that no centring widens them; the block rectangle keeps the
  // held size even where the grid has fewer columns.
  const struct {
    std::uint32_t multiple, captionRows, captionCols;
    Rect main, captions;
  } cases[] = {
      {99, 0, 0, {0, 0, 99, 99}, NoBlock},    {100, 0, 0, {0, 0, 100, 100}, NoBlock},
      {101, 0, 0, {0, 0, 100, 100}, NoBlock}, {1, 1, 100, NoBlock, {0, 0, 100, 1}},
      {1, 1, 101, NoBlock, {0, 0, 100, 1}},   {1, 100, 1, NoBlock, {0, 0, 1, 100}},
      {1, 101, 1, NoBlock, {0, 0, 1, 100}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << c.multiple << " " << c.captionRows << " " << c.captionCols);
    Montage layout;
    layout.MainImagePosition = TopLeft;
    layout.CaptionPosition = TopLeft;
    layout.MainImageMultiple = c.multiple;
    layout.NumCaptionLines = c.captionRows == 0 ? 0 : 1;
    layout.CaptionRows = c.captionRows;
    layout.CaptionCols = c.captionCols;
    const CompositeGrid grid = Compute(layout, 3);
    EXPECT_EQ(grid.MainBlock, c.main);
    EXPECT_EQ(grid.CaptionBlock, c.captions);
  }
}

}  // namespace
