#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "engine/CompositeGrid.h"
#include "platform/Rect.h"

class Montage;

enum class PlacementKind { SmallImage, MainImage, Captions };

// One thing the composite draws: where its cells are and its box on the page in layout units,
// with the margin and the offset already applied.
struct Placement {
  PlacementKind Kind = PlacementKind::SmallImage;
  int Row = 0;
  int Col = 0;
  int ColSpan = 1;
  int RowSpan = 1;
  int Margin = 0;
  int Offset = 0;
  std::size_t Item = 0;  // for a small image: its index among the small items
  Rect Box;
};

// What one composite lays out on a page, in the order it is drawn: the grid computed for the
// area inside the outer margin and every small image, main image and caption block placed on it.
// The renderer walks the placements and the grid command reports them, so both show the same.
class CompositePlan {
 public:
  // Plans count small images on a page whose rectangle is given in layout units; notLandscape
  // tells whether the first small image is at least as high as it is wide.
  CompositePlan(const Montage& layout, const Rect& page, std::uint32_t count, bool notLandscape);

  // The page shrunk by the outer margin on every side; empty when the margin eats the page.
  static Rect InnerAreaOf(const Montage& layout, const Rect& page);

  const CompositeGrid& Grid() const { return grid_; }
  // The page shrunk by the outer margin on every side; empty when the margin eats the page.
  const Rect& InnerArea() const { return innerArea_; }
  int ImageMargin() const { return imageMargin_; }
  const std::vector<Placement>& Placements() const { return placements_; }

 private:
  void PlaceCells(const Montage& layout);

  CompositeGrid grid_;
  Rect innerArea_;
  int imageMargin_ = 0;
  std::vector<Placement> placements_;
};
