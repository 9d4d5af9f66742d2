#pragma once

#include <QImage>
#include <QRect>
#include <cstdint>

#include "platform/Rect.h"
#include "shell/PreviewComposite.h"

class Montage;
class PreviewSettings;

// The preview's picture of the page at one zoom and resolution, so that scrolling and exposing
// the view repaint from pixels instead of drawing the composite again. Pictures are addressed in
// page pixels: (0, 0) is the page's top-left corner. A page of up to WholePagePixels is kept
// whole; a larger one (zoomed far in) is kept only around the part on show, so memory stays
// bounded whatever the zoom.
class PreviewCache {
 public:
  // What the picture shows; any change of it makes a new drawing.
  struct Key {
    Rect Page;
    double Zoom = 0;
    int DpiX = 0;
    int DpiY = 0;
    friend bool operator==(const Key&, const Key&) = default;
  };

  // The picture covering the visible rectangle (page pixels) of the layout's page, drawn again
  // only when the key differs from the last drawing's, the cache was invalidated since, or the
  // kept part of a large page does not cover the visible rectangle. Null when there is nothing
  // to show or no memory for the picture.
  const QImage& Picture(const Montage& layout, const PreviewSettings& settings, const Key& key,
                        const QRect& visible);
  // The picture kept from the last drawing.
  const QImage& Kept() const { return picture_; }
  // Where the picture's top-left pixel lies on the page, in page pixels.
  QPoint PictureOrigin() const { return area_.topLeft(); }
  // The layout or the preview values changed: the next picture is drawn anew.
  void Invalidate() { valid_ = false; }

  // Composites drawn so far, and what the last one showed.
  int Drawings() const { return drawings_; }
  const PreviewDrawn& LastDrawn() const { return lastDrawn_; }

  // The page's size in pixels at the key's zoom and resolution.
  static QSize PagePixels(const Key& key);
  // Pages up to this many pixels (64 MiB of picture) are kept whole.
  static constexpr std::int64_t WholePagePixels = std::int64_t{16} << 20;

 private:
  QRect AreaToDraw(const QSize& pagePixels, const QRect& visible) const;

  Key key_;
  bool valid_ = false;
  QRect area_;
  QImage picture_;
  int drawings_ = 0;
  PreviewDrawn lastDrawn_;
};
