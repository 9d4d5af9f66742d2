#pragma once

#include <cstdint>
#include <optional>

namespace ZodarEdo {

// A rectangle of a picture in pixels, right and bottom exclusive. Computed in 64 bits so that
// no adjustment, however large, can overflow before the box is checked against the picture.
struct CropBox {
  std::int64_t Left = 0;
  std::int64_t Top = 0;
  std::int64_t Right = 0;
  std::int64_t Bottom = 0;
  friend bool operator==(const CropBox&, const CropBox&) = default;
};

struct PictureSize {
  int Width = 0;
  int Height = 0;
  friend bool operator==(const PictureSize&, const PictureSize&) = default;
};

// The part of a width x height picture that a cell of proportion first : second shows: the
// largest centred box of that proportion, its longer side along the picture's longer side, then
// zoomed in by zoom percent and shifted by a percentage of the whole picture's width or height,
// never past an edge. Nothing when a side of the picture or of the proportion is not positive:
// there is no proportion to keep then.
std::optional<CropBox> RatioCropBox(int width, int height, double first, double second, int zoom,
                                    int verticalShift, int horizontalShift);

// The largest size of the source's proportion that fits the box, in single precision as the
// program always computed it. A source without area fits nothing (0 x 0).
PictureSize FitInside(int sourceWidth, int sourceHeight, int boxWidth, int boxHeight);

}  // namespace ZodarEdo
