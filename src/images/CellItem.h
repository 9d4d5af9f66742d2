#pragma once

#include <algorithm>
#include <memory>
#include <string>
#include <tuple>
#include <vector>

#include "images/CropGeometry.h"

namespace ZodarEdo {
class DeviceIndepBitmap;
}

// What the renderer gets for one cell of the preview: the picture cut and turned for the cell,
// and the names printed under it. The picture is never changed once it is made, so cells with
// the same adjustments share one. A subject whose picture cannot be had keeps a cell without a
// picture, framed to Shape, in which the renderer draws a placeholder portrait.
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

// Puts the items in the layout's order: by first name then last name, or the other way round.
// Names compare as byte strings; items equal in both names keep their order.
inline void SortCellItems(std::vector<CellItem>& items, bool byFirstName) {
  std::stable_sort(items.begin(), items.end(), [byFirstName](const CellItem& a, const CellItem& b) {
    return byFirstName ? std::tie(a.FirstName, a.LastName) < std::tie(b.FirstName, b.LastName)
                       : std::tie(a.LastName, a.FirstName) < std::tie(b.LastName, b.FirstName);
  });
}
