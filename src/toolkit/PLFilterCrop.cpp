#include "toolkit/PLFilterCrop.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

#include "toolkit/PLBmp.h"
#include "toolkit/PLBmpStorage.h"
#include "toolkit/PLTextException.h"

namespace {

// 1-bit rows are copied pixel by pixel, since a crop edge need not fall on a byte boundary.
void CopyBits(const std::uint8_t* source, int left, int width, std::uint8_t* target) {
  for (int x = 0; x < width; ++x) {
    const int from = left + x;
    if ((source[from >> 3] >> (7 - (from & 7))) & 1) {
      target[x >> 3] |= static_cast<std::uint8_t>(0x80 >> (x & 7));
    }
  }
}

}  // namespace

void PLFilterCrop::Produce(const PLBmp& source, PLBmp& target) const {
  if (left_ < 0 || top_ < 0 || left_ > right_ || top_ > bottom_ || right_ > source.Width() ||
      bottom_ > source.Height()) {
    throw PLTextException(PL_ERRUNEXPECTED_DATA, "Crop rectangle lies outside the bitmap.");
  }
  const int bpp = source.BitsPerPixel();
  const int width = right_ - left_;
  target.Create(width, bottom_ - top_, bpp, source.Alpha(), source.Greyscale(), nullptr, 0,
                source.Resolution());
  const std::size_t offset = static_cast<std::size_t>(left_) * bpp / 8;
  const auto bytes = static_cast<std::size_t>(std::int64_t{width} * bpp / 8);
  for (int y = top_; y < bottom_; ++y) {
    if (bpp == 1) {
      CopyBits(source.RowTable()[y], left_, width, target.RowTable()[y - top_]);
    } else {
      std::memcpy(target.RowTable()[y - top_], source.RowTable()[y] + offset, bytes);
    }
  }
  if (source.Palette() != nullptr) {
    std::copy_n(source.Palette(), PLPaletteEntries(bpp), target.Palette());
  }
}
