#pragma once

#include <memory>
#include <string>

#include "images/CropGeometry.h"

namespace ZodarEdo {
class DeviceIndepBitmap;
}

// What the renderer gets for one cell of the preview: the picture cut and turned for the cell,
// and the names printed under it. The picture is never changed once it is made, so cells with
// the same adjustments share one. A subject whose picture cannot be had keeps a cell without a
// picture, framed to Shape.
struct CellItem {
  std::shared_ptr<const ZodarEdo::DeviceIndepBitmap> Picture;
  // The samples' are "" when the layout does not print names; a class's members keep theirs,
  // which the renderer prints only when the layout asks for names.
  std::string FirstName;
  std::string LastName;
  // The proportion the frame of a cell without a picture keeps; 0 x 0 for none.
  ZodarEdo::PictureSize Shape;

  // Whether there is a cell to draw: a picture, or a shape to frame without one.
  bool HasCell() const { return Picture != nullptr || (Shape.Width > 0 && Shape.Height > 0); }
};
