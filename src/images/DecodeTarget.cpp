#include "images/DecodeTarget.h"

#include <algorithm>

#include "images/CropGeometry.h"

namespace {

constexpr int kReductions[] = {8, 4, 2};

// libjpeg rounds a reduced side up.
int Reduced(int side, int reduction) { return (side + reduction - 1) / reduction; }

}  // namespace

int DecodeTarget::ReductionFor(int width, int height) const {
  if (WholePicture() || width <= 0 || height <= 0) return 1;
  const int cellShort = std::min(CellWidth, CellHeight);
  const int cellLong = std::max(CellWidth, CellHeight);
  for (const int reduction : kReductions) {
    const int w = Reduced(width, reduction);
    const int h = Reduced(height, reduction);
    ZodarEdo::PictureSize cut{w, h};
    // A box beyond the picture (a negative zoom) leaves the picture uncut, as cutting does.
    const auto box = ZodarEdo::RatioCropBox(w, h, CropFirst, CropSecond, Zoom, 0, 0);
    if (box && box->Left >= 0 && box->Top >= 0 && box->Right <= w && box->Bottom <= h) {
      cut = {static_cast<int>(box->Right - box->Left), static_cast<int>(box->Bottom - box->Top)};
    }
    if (std::min(cut.Width, cut.Height) >= cellShort &&
        std::max(cut.Width, cut.Height) >= cellLong) {
      return reduction;
    }
  }
  return 1;
}
