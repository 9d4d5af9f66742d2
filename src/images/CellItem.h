#pragma once

#include <memory>
#include <string>

namespace ZodarEdo {
class DeviceIndepBitmap;
}

// What the renderer gets for one cell of the preview: the sample picture cut and turned for
// the cell, and the names printed under it. The picture is never changed once it is made, so
// cells with the same adjustments share one.
struct CellItem {
  std::shared_ptr<const ZodarEdo::DeviceIndepBitmap> Picture;
  std::string FirstName;  // "" when the layout does not print names
  std::string LastName;
};
