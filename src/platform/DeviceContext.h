#pragma once

#include <cstdint>
#include <span>
#include <string>

#include "platform/ColourRef.h"

// A GDI-like drawing surface addressed in logical units of 0.1 mm with y growing upwards
// (the MM_LOMETRIC mapping). The composite engine and the toolkit's bitmaps draw only through
// this interface; RasterDeviceContext realises it on a raster image of a given resolution.

struct LogicalPoint {
  int x = 0;
  int y = 0;
};

struct LogicalSize {
  int cx = 0;
  int cy = 0;
};

enum class BackgroundMode { Transparent, Opaque };
enum class StretchMode { ColourOnColour };
enum class RasterOp { SrcCopy, SrcAnd, SrcPaint };

// What a font is made from: the height in tenths of a point (converted through the surface's
// vertical resolution when the font is made), the weight (400 normal, 700 bold), italic, and
// the face name, of which at most 31 characters are used.
struct FontDescription {
  int PointTenths = 100;
  int Weight = 400;
  bool Italic = false;
  std::string FaceName = "Arial";
};

// A font made for one surface: its description and its em height in logical units.
struct SurfaceFont {
  FontDescription Description;
  double LogicalHeight = 0.0;
};

struct Pen {
  ColourRef Colour = 0;  // solid, 1 logical unit wide
};

struct Brush {
  ColourRef Colour = 0xFFFFFF;  // solid
};

// A device-independent bitmap as the toolkit stores it: rows bottom-up, each bytesPerLine long,
// with an optional colour table of blue, green, red, reserved entries for depths up to 8.
struct DibView {
  const std::uint8_t* Bits = nullptr;
  int Width = 0;
  int Height = 0;
  int BitsPerPixel = 32;
  int BytesPerLine = 0;
  const std::uint8_t* ColourTable = nullptr;
};

class DeviceContext {
 public:
  virtual ~DeviceContext() = default;

  virtual BackgroundMode SetBkMode(BackgroundMode mode) = 0;
  virtual StretchMode SetStretchBltMode(StretchMode mode) = 0;

  // Fills the rectangle whatever the order of its corners.
  virtual void FillSolidRect(int left, int top, int right, int bottom, ColourRef colour) = 0;

  // Selection returns the previously selected object so that a drawing step can restore it.
  virtual Pen SelectPen(const Pen& pen) = 0;
  virtual Brush SelectBrush(const Brush& brush) = 0;
  virtual SurfaceFont SelectFont(const SurfaceFont& font) = 0;

  // Fills the polygon with the selected brush and outlines it with the selected pen.
  virtual void Polygon(std::span<const LogicalPoint> points) = 0;

  virtual SurfaceFont CreatePointFontIndirect(const FontDescription& description) const = 0;
  virtual ColourRef SetTextColor(ColourRef colour) = 0;
  virtual LogicalSize GetTextExtentPoint32(const std::string& text) const = 0;
  // Draws UTF-8 text with its top-left corner at (x, y).
  virtual void TextOut(int x, int y, const std::string& text) = 0;

  // Stretches the source rectangle of the bitmap (in bitmap pixels, origin at the bottom-left
  // as in a DIB) into the destination rectangle whose corner is (x, y); a negative height draws
  // downwards from y, a positive one upwards; either way the picture comes out upright, never
  // mirrored. Whole pixels are dropped or repeated, never blended.
  virtual void StretchDIBits(int x, int y, int width, int height, int sourceX, int sourceY,
                             int sourceWidth, int sourceHeight, const DibView& bitmap,
                             RasterOp op) = 0;

  // Pixels per inch of the surface.
  virtual int DpiX() const = 0;
  virtual int DpiY() const = 0;
};
