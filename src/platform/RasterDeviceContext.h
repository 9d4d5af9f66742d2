#pragma once

#include <QFont>
#include <QImage>
#include <QPoint>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>

#include "platform/DeviceContext.h"

class QPainter;

// A DeviceContext that paints on a raster image (32 bits per pixel, opaque) of a given device
// resolution: the screen, an image export and a printed page differ only in the resolution and
// the size of the image. Logical units are 0.1 mm with y up; the viewport origin says which
// device pixel edge logical (0, 0) falls on. Text needs a QGuiApplication (the font database);
// fills, polygons and bitmaps do not.
class RasterDeviceContext : public DeviceContext {
 public:
  // Resolutions are clamped to 1 to 10000 pixels per inch. When the image is larger than 1 GiB
  // or cannot be allocated, the surface is null and every drawing operation does nothing.
  RasterDeviceContext(int widthPixels, int heightPixels, int dpiX, int dpiY,
                      ColourRef background = 0xFFFFFF);
  ~RasterDeviceContext() override;
  RasterDeviceContext(const RasterDeviceContext&) = delete;
  RasterDeviceContext& operator=(const RasterDeviceContext&) = delete;

  BackgroundMode SetBkMode(BackgroundMode mode) override;
  StretchMode SetStretchBltMode(StretchMode mode) override;
  void FillSolidRect(int left, int top, int right, int bottom, ColourRef colour) override;
  Pen SelectPen(const Pen& pen) override;
  Brush SelectBrush(const Brush& brush) override;
  SurfaceFont SelectFont(const SurfaceFont& font) override;
  void Polygon(std::span<const LogicalPoint> points) override;
  SurfaceFont CreatePointFontIndirect(const FontDescription& description) const override;
  ColourRef SetTextColor(ColourRef colour) override;
  LogicalSize GetTextExtentPoint32(const std::string& text) const override;
  void TextOut(int x, int y, const std::string& text) override;
  void StretchDIBits(int x, int y, int width, int height, int sourceX, int sourceY, int sourceWidth,
                     int sourceHeight, const DibView& bitmap, RasterOp op) override;
  int DpiX() const override { return dpiX_; }
  int DpiY() const override { return dpiY_; }

  bool IsNull() const { return image_.isNull(); }
  // The picture drawn so far. It shares the pixels until the surface draws again, which then
  // goes on in a copy of its own, so the returned image never changes under its holder.
  QImage Image();

  // Device pixel edge on which logical (0, 0) lies; the preview moves it to scroll and centre.
  void SetViewportOrigin(QPoint origin) { origin_ = origin; }
  QPoint ViewportOrigin() const { return origin_; }
  // Hands the device rows above the given one to a reader on another thread; the row only moves
  // down. Before any drawing reaches into them, letGo is called, which returns once the reader
  // no longer reads them; the rows are then the surface's again, and none are handed over after.
  void HandOverRowsAbove(std::int64_t row, std::function<void()> letGo);
  int HandedOverRows() const { return handedOver_; }
  // The device pixel edge of a logical coordinate, rounded to the nearest edge.
  std::int64_t DeviceX(std::int64_t logicalX) const;
  std::int64_t DeviceY(std::int64_t logicalY) const;

 private:
  QPainter& Painter();
  void EndPainting();
  std::uint8_t* WritableBits();
  const QFont& CurrentQFont() const;
  int PenPixels() const;
  // Before a drawing from device row top down to the row before bottom: takes the handed-over
  // rows back when it reaches into them.
  void TakeBackRows(std::int64_t top, std::int64_t bottom);
  // Before drawing: takes the handed-over rows back when the pixels are about to move.
  void KeepPixelsInPlace();

  QImage image_;
  std::unique_ptr<QPainter> painter_;
  int dpiX_;
  int dpiY_;
  QPoint origin_;
  BackgroundMode bkMode_ = BackgroundMode::Opaque;
  ColourRef bkColour_ = 0xFFFFFF;
  StretchMode stretchMode_ = StretchMode::ColourOnColour;
  Pen pen_;
  Brush brush_;
  SurfaceFont font_;
  mutable std::optional<QFont> qFont_;  // made when text first needs it
  ColourRef textColour_ = 0;
  int handedOver_ = 0;
  std::function<void()> letGo_;
  bool takenBack_ = false;
};
