#include "engine/CompositePlan.h"

#include <algorithm>

#include "engine/GridParameters.h"
#include "engine/Truncate.h"
#include "layout/Montage.h"

namespace {

// The length left of a side of the page once the outer margin is taken from both ends. A margin
// of half the side or more leaves nothing, where the unsigned difference would wrap round to a
// huge area.
std::uint32_t InnerLength(int low, int high, std::uint32_t outerMargin) {
  const long long length = static_cast<long long>(high) - low - 2LL * outerMargin;
  return length > 0 ? static_cast<std::uint32_t>(length) : 0;
}

}  // namespace

Rect CompositePlan::InnerAreaOf(const Montage& layout, const Rect& page) {
  const std::uint32_t width = InnerLength(page.Left, page.Right, layout.OuterMargin);
  const std::uint32_t height = InnerLength(page.Top, page.Bottom, layout.OuterMargin);
  const int margin = SaturateToInt(layout.OuterMargin);
  Rect area{SaturateToInt(static_cast<long long>(page.Left) + margin),
            SaturateToInt(static_cast<long long>(page.Top) + margin), 0, 0};
  area.Right = SaturateToInt(static_cast<long long>(area.Left) + width);
  area.Bottom = SaturateToInt(static_cast<long long>(area.Top) + height);
  return area;
}

CompositePlan::CompositePlan(const Montage& layout, const Rect& page, std::uint32_t count,
                             bool notLandscape)
    : innerArea_(InnerAreaOf(layout, page)) {
  grid_.Count = count;
  grid_.Width = InnerLength(page.Left, page.Right, layout.OuterMargin);
  grid_.Height = InnerLength(page.Top, page.Bottom, layout.OuterMargin);
  grid_.NotLandscape = notLandscape;
  ComputeGrid(layout, grid_);
  imageMargin_ = ::ImageMargin(layout, grid_);
  PlaceCells(layout);
}

void CompositePlan::PlaceCells(const Montage& layout) {
  const GridParameters params(layout);
  const int multiple = static_cast<int>(params.MainMultiple());
  const int captionCols = static_cast<int>(params.CaptionCols());
  const int captionRows = static_cast<int>(params.CaptionRows());
  const int mainOffset = MainBlockOffset(layout, grid_);
  const int captionOffset = CaptionBlockOffset(layout, grid_);
  const int lastRowOffset = LastRowOffset(grid_);
  const std::size_t lastRow = grid_.Cells.size() - 1;

  std::size_t nextItem = 0;
  for (std::size_t r = 0; r < grid_.Cells.size(); ++r) {
    const int row = static_cast<int>(r);
    const auto& cells = grid_.Cells[r];
    for (std::size_t c = 0; c < cells.size(); ++c) {
      const int col = static_cast<int>(c);
      Placement placement;
      placement.Row = row;
      placement.Col = col;
      switch (cells[c]) {
        case CellKind::ImageCell:
          if (nextItem == grid_.Count) continue;
          placement.Kind = PlacementKind::SmallImage;
          placement.Item = nextItem++;
          placement.Margin = imageMargin_;
          placement.Offset = r == lastRow ? lastRowOffset : 0;
          break;
        case CellKind::MainCell:
          // A block is drawn once, from its top-left cell; a main block whose corner the
          // captions took is not drawn at all.
          if (row != grid_.MainBlock.Top || col != grid_.MainBlock.Left) continue;
          placement.Kind = PlacementKind::MainImage;
          placement.ColSpan = multiple;
          placement.RowSpan = multiple;
          placement.Margin = SaturateToInt(2LL * imageMargin_);
          placement.Offset = mainOffset;
          break;
        case CellKind::CaptionCell:
          if (row != grid_.CaptionBlock.Top || col != grid_.CaptionBlock.Left) continue;
          placement.Kind = PlacementKind::Captions;
          placement.ColSpan = captionCols;
          placement.RowSpan = captionRows;
          placement.Margin = imageMargin_;
          placement.Offset = captionOffset;
          break;
        case CellKind::BlankCell:
          continue;
      }
      placement.Box = CellRect(layout, grid_, row, col, placement.ColSpan, placement.RowSpan,
                               placement.Margin, placement.Offset);
      placements_.push_back(placement);
    }
  }
}
