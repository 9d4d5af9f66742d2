#include "engine/CellDrawing.h"

#include <algorithm>

#include "engine/CompositeGrid.h"
#include "engine/CompositePlan.h"
#include "engine/DisplayConverter.h"
#include "engine/FrameDrawing.h"
#include "engine/NameDrawing.h"
#include "engine/PlaceholderDrawing.h"
#include "engine/RenderContext.h"
#include "engine/Truncate.h"
#include "images/CellItem.h"
#include "images/DeviceIndepBitmap.h"
#include "layout/ColourText.h"
#include "layout/Montage.h"
#include "platform/DeviceContext.h"

namespace {

int FrameWidth(std::uint32_t width) {
  return static_cast<int>(std::min<std::uint32_t>(width, MaxFrameWidth));
}

Rect Grown(const Rect& rect, int by) {
  return Rect{rect.Left - by, rect.Top - by, rect.Right + by, rect.Bottom + by};
}

// Shrinks one side pair of the box; when nothing is left the box becomes a line through the
// middle of what it was.
void Shrink(int& low, int& high, int by) {
  const long long middle = (static_cast<long long>(low) + high) / 2;
  const long long newLow = static_cast<long long>(low) + by;
  const long long newHigh = static_cast<long long>(high) - by;
  if (newLow > newHigh) {
    low = high = static_cast<int>(middle);
  } else {
    low = static_cast<int>(newLow);
    high = static_cast<int>(newHigh);
  }
}

}  // namespace

ZodarEdo::PictureSize FramedSize(const CellItem& item) {
  if (item.Picture) return item.Picture->GetSize();
  if (item.Shape.Width > 0 && item.Shape.Height > 0) return item.Shape;
  return {16, 16};
}

CellGeometry PlanCell(const Montage& layout, const CompositeGrid& grid, const Rect& box,
                      ZodarEdo::PictureSize picture) {
  CellGeometry cell;
  Rect inside = box;
  if (layout.DropShadowWidth != 0) {
    // The small cell's width sets the shadow for the main image too.
    cell.ShadowWidth =
        std::clamp(TruncToInt(layout.DropShadowWidth * grid.CellWidth / 100.0), 0, MaxFrameWidth);
    if (layout.DropShadowRight) {
      inside.Right = std::max(inside.Left, inside.Right - cell.ShadowWidth);
    } else {
      inside.Left = std::min(inside.Right, inside.Left + cell.ShadowWidth);
    }
    inside.Bottom = std::max(inside.Top, inside.Bottom - cell.ShadowWidth);
  }
  const int outer = FrameWidth(layout.OuterFrame);
  const int inner = FrameWidth(layout.InnerFrame);
  for (int frame : {outer, inner}) {
    Shrink(inside.Left, inside.Right, frame);
    Shrink(inside.Top, inside.Bottom, frame);
  }

  const ZodarEdo::PictureSize fitted =
      ZodarEdo::FitInside(picture.Width, picture.Height, inside.Width(), inside.Height());
  const int left = inside.Left + (inside.Width() - fitted.Width) / 2;
  const int top = inside.Top + (inside.Height() - fitted.Height) / 2;
  cell.Picture = Rect{left, top, left + fitted.Width, top + fitted.Height};
  cell.InnerFrame = Grown(cell.Picture, inner);
  cell.OuterFrame = Grown(cell.InnerFrame, outer);
  return cell;
}

std::vector<DrawnText> DrawCell(const RenderContext& context, const CompositeGrid& grid,
                                const CellItem& item, const Placement& placement) {
  const Montage& layout = context.Layout;
  const DisplayConverter& converter = context.Converter;
  DeviceContext& dc = context.Dc;
  // An item without a picture is framed to its shape, or else as a 16 x 16 square box.
  const CellGeometry cell = PlanCell(layout, grid, placement.Box, FramedSize(item));
  const int v = cell.ShadowWidth;

  if (layout.DropShadowWidth != 0) DrawDropShadow(dc, converter, layout, cell.OuterFrame, v);
  if (layout.InnerFrame != 0) {
    DrawFrame(dc, converter, cell.InnerFrame, layout.InnerFrame,
              ParseColour(layout.InnerFrameColour), layout.InnerFrame3d);
  }
  if (layout.OuterFrame != 0) {
    DrawFrame(dc, converter, cell.OuterFrame, layout.OuterFrame,
              ParseColour(layout.OuterFrameColour), layout.OuterFrame3d);
  }
  const Rect& picture = cell.Picture;
  if (item.Picture && item.Picture->HasPixels() && picture.Width() > 0 && picture.Height() > 0) {
    item.Picture->DrawStretched(dc, converter.MapX(picture.Left), converter.MapY(picture.Top),
                                converter.MapLength(picture.Width()),
                                converter.MapLength(-picture.Height()), RasterOp::SrcCopy);
  } else if (!item.Picture) {
    DrawPlaceholder(dc, converter, picture);
  }
  if (!layout.PrintNames) return {};
  const bool shadow = layout.DropShadowWidth != 0;
  const Rect& frame = cell.OuterFrame;
  const int nameLeft = frame.Left - (shadow && !layout.DropShadowRight ? v : 0);
  const int nameRight = frame.Right + (shadow && layout.DropShadowRight ? v : 0);
  return DrawNames(context, grid, item, placement.RowSpan, nameLeft, nameRight,
                   frame.Bottom + (shadow ? v : 0), frame.Top);
}
