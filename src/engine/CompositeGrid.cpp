#include "engine/CompositeGrid.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <utility>

#include "engine/GridParameters.h"
#include "engine/Truncate.h"
#include "layout/Montage.h"

namespace {

constexpr Rect NoBlock{-1, -1, -1, -1};

bool IsBlockCell(CellKind kind) {
  return kind == CellKind::MainCell || kind == CellKind::CaptionCell;
}

void ShiftRows(Rect& block, int rows) {
  block.Top += rows;
  block.Bottom += rows;
}

// The steps of ComputeGrid. The builder reads the layout once and works on whichever grid it is
// given, so that the one-column-fewer trial is built exactly as the first result.
class GridBuilder {
 public:
  explicit GridBuilder(const Montage& layout)
      : params_(layout), captionAbove_(layout.CaptionAbove) {}

  void Compute(CompositeGrid& grid) const;

 private:
  void SizeGrid(CompositeGrid& grid, std::uint64_t needed) const;
  void BuildCells(CompositeGrid& grid) const;
  Rect PlaceBlock(const CompositeGrid& grid, int width, int height, int position) const;
  void MoveCaptionsClear(CompositeGrid& grid) const;
  static void MarkBlock(CompositeGrid& grid, const Rect& block, CellKind kind);
  static void DistributeImages(CompositeGrid& grid);
  static void FillLastImageRow(std::vector<CellKind>& row, std::uint64_t images);

  GridParameters params_;
  bool captionAbove_;
};

void GridBuilder::Compute(CompositeGrid& grid) const {
  grid.Count = std::min(grid.Count, MaxGridImages);
  grid.Rows = 0;
  grid.Cols = 0;
  grid.CellHeight = 0.0;
  grid.CellWidth = 0.0;
  grid.Cells.clear();
  grid.MainBlock = NoBlock;
  grid.CaptionBlock = NoBlock;

  // Without an area (an outer margin that eats the page) or anything to place there is no cell
  // whose size would mean anything, so the grid stays empty rather than dividing by zero.
  const std::uint64_t needed = params_.CellsNeeded(grid.Count);
  if (needed == 0 || grid.Height == 0 || grid.Width == 0) return;

  SizeGrid(grid, needed);
  BuildCells(grid);

  // A last row that would be almost empty looks lost; one column fewer often fills it better.
  const std::uint32_t last = LastRowCount(grid);
  if (last == 0 || grid.Cols <= 4 || last > grid.Cols / 4) return;

  CompositeGrid trial;
  trial.Count = grid.Count;
  trial.Height = grid.Height;
  trial.Width = grid.Width;
  trial.NotLandscape = grid.NotLandscape;
  trial.Cols = grid.Cols - 1;
  const std::uint64_t trialNeeded = params_.CellsNeeded(grid.Count, trial.Cols);
  std::uint64_t rows = grid.Rows;
  while (rows * trial.Cols < trialNeeded) ++rows;
  trial.Rows = static_cast<std::uint32_t>(rows);
  trial.CellHeight = static_cast<double>(grid.Height) / trial.Rows;
  trial.CellWidth = static_cast<double>(grid.Width) / trial.Cols;
  BuildCells(trial);

  const std::uint32_t trialLast = LastRowCount(trial);
  if (trialLast == 0 || trialLast > trial.Cols / 4) grid = std::move(trial);
}

void GridBuilder::SizeGrid(CompositeGrid& grid, std::uint64_t needed) const {
  const double proportion = params_.Proportion(grid.NotLandscape);
  const std::uint64_t multiple = params_.MainMultiple();
  std::uint64_t rows = needed;
  std::uint32_t cols = 1;
  double rowHeight = grid.Width * proportion;

  // The comparison is made in doubles: for every height a real page has it is the same as the
  // unsigned one, and an absurd crop proportion cannot overflow the conversion. Each pass adds a
  // column and the rows fall to one once the columns reach the cells needed, so the loop ends.
  while (std::trunc(static_cast<double>(rows) * rowHeight) > grid.Height && rows > multiple) {
    ++cols;
    const std::uint64_t cells = params_.CellsNeeded(grid.Count, cols);
    while (rows > 1 && (rows - 1) * cols >= cells) --rows;
    rowHeight = static_cast<double>(grid.Width) / cols * proportion;
  }

  grid.Rows = static_cast<std::uint32_t>(rows);
  grid.Cols = cols;
  grid.CellHeight = static_cast<double>(grid.Height) / grid.Rows;
  grid.CellWidth = static_cast<double>(grid.Width) / grid.Cols;
}

void GridBuilder::BuildCells(CompositeGrid& grid) const {
  grid.Cells.assign(grid.Rows, std::vector<CellKind>(grid.Cols, CellKind::ImageCell));
  grid.MainBlock = NoBlock;
  grid.CaptionBlock = NoBlock;

  const int multiple = static_cast<int>(params_.MainMultiple());
  if (params_.HasMain()) {
    grid.MainBlock = PlaceBlock(grid, multiple, multiple, params_.MainPosition());
  }
  if (params_.HasCaptions()) {
    grid.CaptionBlock =
        PlaceBlock(grid, static_cast<int>(params_.CaptionCols()),
                   static_cast<int>(params_.CaptionRows()), params_.CaptionPosition());
  }
  if (params_.HasMain() && params_.HasCaptions() && Intersects(grid.MainBlock, grid.CaptionBlock)) {
    MoveCaptionsClear(grid);
  }

  // Captions are marked last so that they win wherever the blocks still overlap.
  if (params_.HasMain()) MarkBlock(grid, grid.MainBlock, CellKind::MainCell);
  if (params_.HasCaptions()) MarkBlock(grid, grid.CaptionBlock, CellKind::CaptionCell);
  DistributeImages(grid);
}

Rect GridBuilder::PlaceBlock(const CompositeGrid& grid, int width, int height, int position) const {
  const int cols = static_cast<int>(grid.Cols);
  const int rows = static_cast<int>(grid.Rows);
  int left = -1;
  int top = -1;
  bool widened = false;
  if (GridParameters::IsPlace(position)) {
    switch (position % 3) {
      case 0:
        left = 0;
        break;
      case 1:
        left = TruncToInt(cols * 0.5 - width * 0.5);
        // A block that cannot sit exactly in the middle takes one column more and is drawn
        // half a cell to the right, so that it still looks centred.
        widened = width > 1 && cols % 2 != width % 2;
        break;
      default:
        left = cols - width;
        break;
    }
    switch (position / 3) {
      case 0:
        top = 0;
        break;
      case 1:
        top = TruncToInt(rows * 0.5 - height * 0.5);
        break;
      default:
        top = rows - height;
        break;
    }
  }
  left = std::max(left, 0);
  top = std::max(top, 0);
  return Rect{left, top, left + width + (widened ? 1 : 0), top + height};
}

void GridBuilder::MoveCaptionsClear(CompositeGrid& grid) const {
  Rect& main = grid.MainBlock;
  Rect& captions = grid.CaptionBlock;

  // The captions go to the side of the main block that their places ask for; when both sit in
  // the same band of the page the layout's CaptionAbove decides.
  int dy = 0;
  if (params_.MainPlaced() && params_.CaptionPlaced()) {
    const int mainBand = params_.MainPosition() / 3;
    const int captionBand = params_.CaptionPosition() / 3;
    const bool above = mainBand == captionBand ? captionAbove_ : mainBand > captionBand;
    dy = above ? main.Top - captions.Bottom : main.Bottom - captions.Top;
  }
  ShiftRows(captions, dy);

  if (captions.Top < 0) {
    const int down = -captions.Top;
    ShiftRows(captions, down);
    ShiftRows(main, down);
  }
  const int rows = static_cast<int>(grid.Rows);
  while (captions.Top > 0 && main.Top > 0 && captions.Bottom > rows) {
    ShiftRows(captions, -1);
    ShiftRows(main, -1);
  }
}

void GridBuilder::MarkBlock(CompositeGrid& grid, const Rect& block, CellKind kind) {
  const int top = std::max(block.Top, 0);
  const int bottom = std::min(block.Bottom, static_cast<int>(grid.Rows));
  const int left = std::max(block.Left, 0);
  const int right = std::min(block.Right, static_cast<int>(grid.Cols));
  for (int row = top; row < bottom; ++row) {
    for (int col = left; col < right; ++col) grid.Cells[row][col] = kind;
  }
}

void GridBuilder::DistributeImages(CompositeGrid& grid) {
  std::uint64_t images = grid.Count;
  std::size_t lastRow = 0;
  for (;; ++lastRow) {
    // With fewer image cells than images the grid keeps every cell it has, and the images that
    // find no cell are left out.
    if (lastRow == grid.Cells.size()) return;
    const auto& row = grid.Cells[lastRow];
    const auto free =
        static_cast<std::uint64_t>(std::count(row.begin(), row.end(), CellKind::ImageCell));
    if (free >= images) break;
    images -= free;
  }

  auto& row = grid.Cells[lastRow];
  if (std::none_of(row.begin(), row.end(), IsBlockCell)) {
    row.resize(static_cast<std::size_t>(images));
    return;
  }
  FillLastImageRow(row, images);
  for (std::size_t below = lastRow + 1; below < grid.Cells.size(); ++below) {
    std::replace(grid.Cells[below].begin(), grid.Cells[below].end(), CellKind::ImageCell,
                 CellKind::BlankCell);
  }
}

// Places the last images of a row that holds a block next to that block: against it when it
// touches an end of the row, otherwise on its two sides in turn, nearest first.
void GridBuilder::FillLastImageRow(std::vector<CellKind>& row, std::uint64_t images) {
  std::replace(row.begin(), row.end(), CellKind::ImageCell, CellKind::BlankCell);
  const auto place = [&row, &images](std::size_t index) {
    if (images > 0 && row[index] == CellKind::BlankCell) {
      row[index] = CellKind::ImageCell;
      --images;
    }
  };

  const std::size_t size = row.size();
  if (IsBlockCell(row.front())) {
    for (std::size_t index = 0; index < size && images > 0; ++index) place(index);
    return;
  }
  if (IsBlockCell(row.back())) {
    for (std::size_t index = size; index > 0 && images > 0; --index) place(index - 1);
    return;
  }

  const auto first =
      static_cast<std::size_t>(std::find_if(row.begin(), row.end(), IsBlockCell) - row.begin());
  std::size_t runEnd = first;
  while (runEnd < size && IsBlockCell(row[runEnd])) ++runEnd;
  std::size_t left = first;  // the next cell on the left is left - 1
  std::size_t right = runEnd;
  bool leftTurn = true;
  while (images > 0 && (left > 0 || right < size)) {
    if (leftTurn && left > 0) place(--left);
    if (!leftTurn && right < size) place(right++);
    leftTurn = !leftTurn;
  }
}

}  // namespace

void ComputeGrid(const Montage& layout, CompositeGrid& grid) { GridBuilder(layout).Compute(grid); }

std::uint32_t LastRowCount(const CompositeGrid& grid) {
  for (auto row = grid.Cells.rbegin(); row != grid.Cells.rend(); ++row) {
    const auto images = std::count(row->begin(), row->end(), CellKind::ImageCell);
    if (images == 0) continue;
    const bool blank = std::find(row->begin(), row->end(), CellKind::BlankCell) != row->end();
    if (!blank && row->size() == grid.Cells.front().size()) return 0;
    return static_cast<std::uint32_t>(images);
  }
  return 0;
}

int ImageMargin(const Montage& layout, const CompositeGrid& grid) {
  const double side = std::min(grid.CellWidth, grid.CellHeight);
  return TruncToInt(GridParameters(layout).MarginPercent() * side / 100);
}

Rect CellRect(const Montage& layout, const CompositeGrid& grid, int row, int col, int colSpan,
              int rowSpan, int margin, int offset) {
  // Every term is a whole number well inside a double's exact range, so the sums are exact and
  // only the final conversion needs a bound.
  const double outer = layout.OuterMargin;
  const double left = std::trunc(col * grid.CellWidth) + outer + margin + offset;
  const double right = left + std::trunc(grid.CellWidth) * colSpan - 2.0 * margin;
  const double top = std::trunc(row * grid.CellHeight) + outer + margin;
  const double bottom = top + std::trunc(grid.CellHeight) * rowSpan - 2.0 * margin;
  return Rect{TruncToInt(left), TruncToInt(top), TruncToInt(right), TruncToInt(bottom)};
}

Rect CellRect(const Montage& layout, const CompositeGrid& grid, int row, int col, int span,
              int margin, int offset) {
  return CellRect(layout, grid, row, col, span, span, margin, offset);
}

int MainBlockOffset(const Montage& layout, const CompositeGrid& grid) {
  const GridParameters params(layout);
  const bool widened =
      params.HasMain() && grid.MainBlock.Width() > static_cast<int>(params.MainMultiple());
  return widened ? TruncToInt(grid.CellWidth) / 2 : 0;
}

int CaptionBlockOffset(const Montage& layout, const CompositeGrid& grid) {
  const GridParameters params(layout);
  const bool widened =
      params.HasCaptions() && grid.CaptionBlock.Width() > static_cast<int>(params.CaptionCols());
  return widened ? TruncToInt(grid.CellWidth) / 2 : 0;
}

int LastRowOffset(const CompositeGrid& grid) {
  if (grid.Cells.empty()) return 0;
  const std::size_t entries = grid.Cells.back().size();
  if (entries >= grid.Cols) return 0;
  const long long half = grid.Width / 2;
  return SaturateToInt(half - TruncToInt(static_cast<double>(entries) * grid.CellWidth) / 2);
}
