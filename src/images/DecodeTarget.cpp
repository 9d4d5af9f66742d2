#include "images/DecodeTarget.h"

#include <algorithm>
#include <utility>

#include "images/CropGeometry.h"

namespace {

constexpr int kReductions[] = {8, 4, 2};

// libjpeg rounds a reduced side up.
int Reduced(int side, int reduction) { return (side + reduction - 1) / reduction; }

// The sides, short then long, of the largest box of the proportion first : second lying across
// a width x height picture: its long side is the picture's short side.
std::pair<int, int> CutAcross(int width, int height, double first, double second) {
  const int shortSide = std::min(width, height);
  const double ratio = first > second ? first / second : second / first;
  return {std::max(1, static_cast<int>(shortSide / ratio)), shortSide};
}

}  // namespace

int DecodeTarget::ReductionFor(int width, int height) const {
  if (WholePicture() || width <= 0 || height <= 0) return 1;
  const int cellShort = std::min(CellWidth, CellHeight);
  const int cellLong = std::max(CellWidth, CellHeight);
  for (const int reduction : kReductions) {
    const int w = Reduced(width, reduction);
    const int h = Reduced(height, reduction);
    int cutShort = std::min(w, h);
    int cutLong = std::max(w, h);
    // A box beyond the picture (a negative zoom) leaves the picture uncut, as cutting does.
    const auto box = ZodarEdo::RatioCropBox(w, h, CropFirst, CropSecond, Zoom, 0, 0);
    if (box && box->Left >= 0 && box->Top >= 0 && box->Right <= w && box->Bottom <= h) {
      const auto boxWidth = static_cast<int>(box->Right - box->Left);
      const auto boxHeight = static_cast<int>(box->Bottom - box->Top);
      cutShort = std::min(boxWidth, boxHeight);
      cutLong = std::max(boxWidth, boxHeight);
    }
    if (EitherWay && CropFirst > 0 && CropSecond > 0) {
      const auto [acrossShort, acrossLong] = CutAcross(w, h, CropFirst, CropSecond);
      cutShort = std::min(cutShort, acrossShort);
      cutLong = std::min(cutLong, acrossLong);
    }
    if (cutShort >= cellShort && cutLong >= cellLong) {
      return reduction;
    }
  }
  return 1;
}
