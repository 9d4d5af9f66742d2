#pragma once

#include <cstdint>
#include <vector>

#include "platform/Rect.h"

class Montage;

// What one grid cell of a composite holds.
enum class CellKind : std::uint8_t {
  ImageCell = 0,    // receives the next small image
  MainCell = 1,     // part of the main image block
  CaptionCell = 2,  // part of the caption block
  BlankCell = 3,    // stays empty
};

// The grid of one composite drawing: the caller fills the first four fields, ComputeGrid the
// rest. Lengths are layout units (tenths of a millimetre); rows and columns count from 0 at the
// top left. Blocks are rectangles of cells, right and bottom exclusive, all -1 when absent.
class CompositeGrid {
 public:
  std::uint32_t Count = 0;  // small images, the main image not included
  std::uint32_t Height = 0;
  std::uint32_t Width = 0;
  bool NotLandscape = true;  // the first small image's height is at least its width

  std::uint32_t Rows = 0;
  std::uint32_t Cols = 0;
  double CellHeight = 0.0;
  double CellWidth = 0.0;
  // Every row has Cols entries, except that the row holding the last images may be cut short.
  std::vector<std::vector<CellKind>> Cells;
  Rect MainBlock{-1, -1, -1, -1};
  Rect CaptionBlock{-1, -1, -1, -1};
};

// The most small images one grid lays out; ComputeGrid lowers a larger Count to this, and the
// images beyond it are left out of the composite.
inline constexpr std::uint32_t MaxGridImages = 100000;

// Sizes the grid for the layout, marks the main and caption blocks and distributes the images.
// An area without height or width, or nothing to place at all, gives a grid of no rows and no
// columns.
void ComputeGrid(const Montage& layout, CompositeGrid& grid);

// The number of images in an incomplete last image row, or 0 when that row is complete.
std::uint32_t LastRowCount(const CompositeGrid& grid);

// The margin left around a small image (and the caption block) inside its cells; the main image
// uses twice this.
int ImageMargin(const Montage& layout, const CompositeGrid& grid);

// The page rectangle of a thing whose top-left cell is (row, col) and which spans colSpan
// columns and rowSpan rows, inset by margin and shifted right by offset.
Rect CellRect(const Montage& layout, const CompositeGrid& grid, int row, int col, int colSpan,
              int rowSpan, int margin, int offset);
Rect CellRect(const Montage& layout, const CompositeGrid& grid, int row, int col, int span,
              int margin, int offset);

// The right shifts that centre a widened main block, a widened caption block and a short last
// row in the space they occupy.
int MainBlockOffset(const Montage& layout, const CompositeGrid& grid);
int CaptionBlockOffset(const Montage& layout, const CompositeGrid& grid);
int LastRowOffset(const CompositeGrid& grid);
