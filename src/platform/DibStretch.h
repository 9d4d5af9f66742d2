#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "platform/DeviceContext.h"

// Nearest-neighbour stretching of a device-independent bitmap onto opaque 32-bit pixels
// (0xFFRRGGBB words), as COLORONCOLOR does it: whole pixels are dropped or repeated and never
// blended, so a stretched picture holds no colour that its source lacks.
class DibStretch {
 public:
  // A rectangle of source pixels with its origin at the bottom-left, as a DIB counts rows.
  struct SourceRect {
    int X = 0;
    int Y = 0;
    int Width = 0;
    int Height = 0;
  };
  // Destination pixel edges, Left < Right and Top < Bottom; the picture's top row goes to Top.
  struct DeviceRect {
    std::int64_t Left = 0;
    std::int64_t Top = 0;
    std::int64_t Right = 0;
    std::int64_t Bottom = 0;
  };
  struct Target {
    std::uint8_t* Bits = nullptr;
    int Width = 0;
    int Height = 0;
    std::int64_t BytesPerLine = 0;
  };

  // Checks the bitmap's description; a bitmap that could be read out of bounds is not drawn.
  DibStretch(const DibView& bitmap, SourceRect source);

  bool IsDrawable() const { return drawable_; }
  // Draws into the part of the destination that lies on the target; the rest is skipped.
  void Draw(const DeviceRect& destination, RasterOp op, const Target& target) const;

 private:
  template <int Depth, RasterOp Op>
  void DrawRows(const DeviceRect& destination, const Target& target) const;
  // Draws 32-bit rows by runs of consecutive source columns; false, having drawn nothing, when
  // the runs are too short for that to pay.
  template <RasterOp Op, typename RowMap>
  bool DrawRuns(const std::vector<std::uint32_t>& columns, std::int64_t firstX, std::int64_t firstY,
                std::int64_t endY, RowMap sourceRow, const Target& target) const;
  template <int Depth>
  void DrawWithOp(const DeviceRect& destination, RasterOp op, const Target& target) const;

  DibView bitmap_;
  SourceRect source_;
  bool drawable_ = false;
  std::array<std::uint32_t, 256> palette_{};
};
