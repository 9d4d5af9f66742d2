#include "images/CropGeometry.h"

#include <cmath>
#include <limits>

namespace ZodarEdo {

namespace {

// Moves the span [low, high) by off within [0, extent): a move past an edge stops flush with it.
void Shift(std::int64_t& low, std::int64_t& high, std::int64_t extent, std::int64_t off) {
  if (low + off < 0) {
    high -= low;
    low = 0;
  } else if (high + off > extent) {
    low += extent - high;
    high = extent;
  } else {
    low += off;
    high += off;
  }
}

// Scales a length by a factor and truncates toward zero, the way every length of the crop is
// turned back into pixels.
std::int64_t Scaled(std::int64_t length, double factor) {
  return static_cast<std::int64_t>(static_cast<double>(length) * factor);
}

// Keeps (100 - zoom) percent of a length: multiplied first, then divided, as the truncation of
// the result depends on that order.
std::int64_t Zoomed(std::int64_t length, int zoom) {
  return static_cast<std::int64_t>(static_cast<double>(length) * (100.0 - zoom) / 100);
}

int TruncatedToInt(float value) {
  if (!(value < static_cast<float>(std::numeric_limits<int>::max()))) {
    return std::numeric_limits<int>::max();
  }
  return static_cast<int>(value);
}

}  // namespace

std::optional<CropBox> RatioCropBox(int width, int height, double first, double second, int zoom,
                                    int verticalShift, int horizontalShift) {
  if (width <= 0 || height <= 0 || !(first > 0) || !(second > 0)) return std::nullopt;
  const std::int64_t w = width;
  const std::int64_t h = height;
  const double r = first > second ? first / second : second / first;
  CropBox box{0, 0, w, h};
  // The box's longer side follows the picture's longer side; only the proportion counts.
  const bool portrait = h > w;
  const double s = portrait ? static_cast<double>(h) / w : static_cast<double>(w) / h;
  const bool trimAcross = (r > s) == portrait;  // cut the width rather than the height
  const double m = r > s ? (1 - s / r) * 0.5 : (1 - r / s) * 0.5;
  if (trimAcross) {
    box.Left = Scaled(w, m);
    box.Right = Scaled(w, 1 - m);
  } else {
    box.Top = Scaled(h, m);
    box.Bottom = Scaled(h, 1 - m);
  }

  const std::int64_t boxWidth = box.Right - box.Left;
  const std::int64_t boxHeight = box.Bottom - box.Top;
  const std::int64_t zoomedWidth = Zoomed(boxWidth, zoom);
  const std::int64_t zoomedHeight = Zoomed(boxHeight, zoom);
  box.Left += (boxWidth - zoomedWidth) / 2;
  box.Top += (boxHeight - zoomedHeight) / 2;
  box.Right = box.Left + zoomedWidth;
  box.Bottom = box.Top + zoomedHeight;

  if (horizontalShift != 0) Shift(box.Left, box.Right, w, w * horizontalShift / 100);
  if (verticalShift != 0) Shift(box.Top, box.Bottom, h, h * verticalShift / 100);
  return box;
}

PictureSize FitInside(int sourceWidth, int sourceHeight, int boxWidth, int boxHeight) {
  if (sourceWidth <= 0 || sourceHeight <= 0) return {};
  const float fx = static_cast<float>(boxWidth) / static_cast<float>(sourceWidth);
  const float fy = static_cast<float>(boxHeight) / static_cast<float>(sourceHeight);
  if (fy > fx) return {boxWidth, TruncatedToInt(static_cast<float>(sourceHeight) * fx)};
  return {TruncatedToInt(static_cast<float>(sourceWidth) * fy), boxHeight};
}

}  // namespace ZodarEdo
