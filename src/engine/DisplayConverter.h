#pragma once

#include <cstdint>

#include "platform/DeviceContext.h"
#include "platform/Rect.h"

class FontDetails;

// Maps layout units (tenths of a millimetre, y down from the page's top-left corner) to a
// surface's logical units (y up) with a scale, an origin and an offset. Every product is
// truncated towards zero, which decides where pixels land.
class DisplayConverter {
 public:
  int MapX(int x) const;
  int MapY(int y) const;
  // A length drawn downwards is mapped as the negative of its height.
  int MapLength(double length) const;
  // The mapped rectangle has its top above its bottom: top' > bottom' for a non-empty one.
  Rect MapRect(const Rect& rect) const;

  // The description of a font for the surface at this scale: its point size in tenths,
  // multiplied by the scale, bold as weight 700, and at most 31 characters of its face name.
  FontDescription DescribeFont(const FontDetails& font, std::uint32_t pointTenths) const;
  SurfaceFont CreateFont(const DeviceContext& dc, const FontDetails& font,
                         std::uint32_t pointTenths) const;
  SurfaceFont CreateFont(const DeviceContext& dc, const FontDetails& font) const;

  bool Printing = false;
  double Scale = 1.0;  // logical units per layout unit
  int OriginX = 0;     // layout point that lands on (OffsetX, OffsetY)
  int OriginY = 0;
  int OffsetX = 0;  // logical units
  int OffsetY = 0;
};
