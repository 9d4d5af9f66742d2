#pragma once

#include <cstdint>

#include "platform/Rect.h"

// Where the preview puts the page: its size at the zoom and the offsets that centre it in the
// view, all in logical units (tenths of a millimetre on the screen, y up), and the zoom limits
// that keep every one of these numbers, and the pixels behind them, within range.
struct PreviewGeometry {
  // The page at the zoom, each side trunc(side x zoom) and at least 0.
  int ExtentWidth = 0;
  int ExtentHeight = 0;
  // Where the page's top-left corner lands: centred where the page is smaller than the client
  // area (OffsetY is then negative, logical y growing upwards), 0 where it scrolls.
  int OffsetX = 0;
  int OffsetY = 0;

  // The geometry of the page at the zoom in a client area of the given logical size.
  static PreviewGeometry Of(const Rect& page, double zoom, int clientWidth, int clientHeight);

  // The zoom that fits the page into the client area: by its height, or by its width when the
  // page would be too wide at that zoom; within the limits below.
  static double FitZoom(const Rect& page, int clientWidth, int clientHeight);
  // The zoom held within the limits: never so small that the page shrinks below what a number
  // can show, never so large that the page passes MaximumExtent logical units.
  static double Limit(double zoom, const Rect& page);

  // The longest page side the view shows, in logical units (about 1.7 km of paper): zooming
  // further is refused, so pixel positions stay far from the limits of int.
  // Pixels across a length of logical units at the resolution, rounded to the nearest pixel as
  // the drawing surface rounds; and the logical units across a number of pixels.
  static std::int64_t Pixels(std::int64_t logical, int dpi);
  static int Logical(int pixels, int dpi);

  static constexpr std::int64_t MaximumExtent = std::int64_t{1} << 24;
  static constexpr double MinimumZoom = 1e-4;
};
