#include "images/PLFilterRotate.h"

#include <algorithm>
#include <cstring>

#include "toolkit/PLBmp.h"
#include "toolkit/PLTextException.h"

namespace {

// Where target pixel (x, y) is taken from, for a source of width w and height h.
struct QuarterTurn {
  static void From(int x, int y, int, int h, int& sx, int& sy) {
    sx = y;
    sy = h - 1 - x;
  }
};
struct HalfTurn {
  static void From(int x, int y, int w, int h, int& sx, int& sy) {
    sx = w - 1 - x;
    sy = h - 1 - y;
  }
};
struct QuarterTurnBack {
  static void From(int x, int y, int w, int, int& sx, int& sy) {
    sx = w - 1 - y;
    sy = x;
  }
};

template <typename Turn>
void CopyTurned(const PLBmp& source, PLBmp& target, int pixelBytes) {
  const int w = source.Width();
  const int h = source.Height();
  const auto* const* in = source.RowTable();
  auto* const* out = target.RowTable();
  for (int y = 0; y < target.Height(); ++y) {
    std::uint8_t* row = out[y];
    for (int x = 0; x < target.Width(); ++x, row += pixelBytes) {
      int sx = 0;
      int sy = 0;
      Turn::From(x, y, w, h, sx, sy);
      std::memcpy(row, in[sy] + static_cast<std::ptrdiff_t>(sx) * pixelBytes, pixelBytes);
    }
  }
}

}  // namespace

void PLFilterRotate::Produce(const PLBmp& source, PLBmp& target) const {
  const int bpp = source.BitsPerPixel();
  if (bpp % 8 != 0) {
    throw PLTextException(PL_ERRUNEXPECTED_DATA, "Rotation needs whole bytes per pixel.");
  }
  const bool sameShape = turn_ == 1;
  const int width = sameShape ? source.Width() : source.Height();
  const int height = sameShape ? source.Height() : source.Width();
  target.Create(width, height, bpp, source.Alpha(), source.Greyscale(), nullptr, 0,
                source.Resolution());
  if (source.Palette() != nullptr && target.Palette() != nullptr) {
    std::copy_n(source.Palette(), 1 << bpp, target.Palette());
  }
  const int pixelBytes = bpp / 8;
  switch (turn_) {
    case 0:
      CopyTurned<QuarterTurn>(source, target, pixelBytes);
      break;
    case 1:
      CopyTurned<HalfTurn>(source, target, pixelBytes);
      break;
    case 2:
      CopyTurned<QuarterTurnBack>(source, target, pixelBytes);
      break;
    default:
      break;
  }
}
