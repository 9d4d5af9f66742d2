#include "shell/PreviewCache.h"

#include <algorithm>

#include "engine/DisplayConverter.h"
#include "platform/RasterDeviceContext.h"
#include "shell/PreviewGeometry.h"

const QImage& PreviewCache::Picture(const Montage& layout, const PreviewSettings& settings,
                                    const Key& key, const QRect& visible) {
  const QSize pagePixels = PagePixels(key);
  const QRect wanted = visible.intersected(QRect(QPoint(0, 0), pagePixels));
  const bool covered = wanted.isEmpty() || area_.contains(wanted);
  if (valid_ && key == key_ && covered) return picture_;

  key_ = key;
  valid_ = true;
  area_ = AreaToDraw(pagePixels, wanted);
  picture_ = QImage();
  if (area_.isEmpty()) return picture_;
  RasterDeviceContext dc(area_.width(), area_.height(), key.DpiX, key.DpiY);
  if (dc.IsNull()) return picture_;
  dc.SetViewportOrigin(-area_.topLeft());
  // The view places the page where the centring puts it, so the page is drawn from its own
  // top-left corner and one picture serves every position of it.
  DisplayConverter converter;
  converter.Scale = key.Zoom;
  ++drawings_;
  lastDrawn_ = DrawPreviewComposite(dc, converter, layout, settings, key.Page);
  picture_ = dc.Image();
  return picture_;
}

QSize PreviewCache::PagePixels(const Key& key) {
  const PreviewGeometry geometry = PreviewGeometry::Of(key.Page, key.Zoom, 0, 0);
  // The zoom limit keeps a page within int pixels; the clamp only guards against a caller that
  // passed a zoom beyond it.
  const auto pixels = [](int extent, int dpi) {
    return static_cast<int>(std::min<std::int64_t>(PreviewGeometry::Pixels(extent, dpi), 1 << 30));
  };
  return {pixels(geometry.ExtentWidth, key.DpiX), pixels(geometry.ExtentHeight, key.DpiY)};
}

QRect PreviewCache::AreaToDraw(const QSize& pagePixels, const QRect& visible) const {
  const QRect page(QPoint(0, 0), pagePixels);
  if (std::int64_t{pagePixels.width()} * pagePixels.height() <= WholePagePixels) return page;
  if (visible.isEmpty()) return {};
  // Half a view more on every side lets short scrolls repaint from the picture, at four times
  // the pixels of the view.
  const int marginX = visible.width() / 2;
  const int marginY = visible.height() / 2;
  return visible.adjusted(-marginX, -marginY, marginX, marginY).intersected(page);
}
