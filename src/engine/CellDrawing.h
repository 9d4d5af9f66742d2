#pragma once

#include <vector>

#include "engine/DrawnText.h"
#include "images/CropGeometry.h"
#include "platform/Rect.h"

class CompositeGrid;
class Montage;
struct CellItem;
struct Placement;
struct RenderContext;

// Where the parts of one framed image go inside its box, in layout units.
struct CellGeometry {
  int ShadowWidth = 0;  // 0 without a drop shadow
  Rect Picture;         // the picture, centred in what the shadow and frames leave of the box
  Rect InnerFrame;      // the picture grown by the inner frame
  Rect OuterFrame;      // the inner frame rectangle grown by the outer frame
};

// The widest frame or shadow drawn, in layout units (10 m). Wider values only come from a
// hand-edited layout file; holding them here keeps every edge well inside the range of int.
inline constexpr int MaxFrameWidth = 100000;

// Fits a picture of the given size into the box of a cell: the shadow takes its width on one
// side and below, the frames theirs all round, and the picture gets the largest size of its
// proportion in what is left. Frames and shadows wider than the box leave the picture no room
// instead of turning the box inside out.
CellGeometry PlanCell(const Montage& layout, const CompositeGrid& grid, const Rect& box,
                      ZodarEdo::PictureSize picture);

// The size a cell item is framed to: its picture's, the shape of a cell without a picture, or
// the 16 x 16 of an empty picture.
ZodarEdo::PictureSize FramedSize(const CellItem& item);

// Draws one image cell or the main image at its placement: drop shadow, inner and outer frame,
// picture (a placeholder portrait for an item without one) and names, in that order. Returns
// the lines of the name as drawn.
std::vector<DrawnText> DrawCell(const RenderContext& context, const CompositeGrid& grid,
                                const CellItem& item, const Placement& placement);
