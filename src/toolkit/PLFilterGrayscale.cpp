#include "toolkit/PLFilterGrayscale.h"

#include <array>
#include <cstdint>

#include "toolkit/PLBmp.h"
#include "toolkit/PLTextException.h"

namespace {

// Each channel's share, tabulated per value. The shares are added in the same order and with
// the same doubles as the formula (green + red) + blue, so the truncated sums are identical.
struct Shares {
  std::array<double, 256> Red, Green, Blue;
  Shares() {
    for (int v = 0; v < 256; ++v) {
      Red[v] = v * 0.212671;
      Green[v] = v * 0.71516;
      Blue[v] = v * 0.072169;
    }
  }
};

}  // namespace

void PLFilterGrayscale::Produce(const PLBmp& source, PLBmp& target) const {
  if (source.BitsPerPixel() != 32) {
    throw PLTextException(PL_ERRUNEXPECTED_DATA, "Greyscale needs a 32-bit bitmap.");
  }
  target.Create(source.Width(), source.Height(), 8, false, true, nullptr, 0, source.Resolution());
  static const Shares shares;
  for (int y = 0; y < source.Height(); ++y) {
    const std::uint8_t* pixel = source.RowTable()[y];
    std::uint8_t* out = target.RowTable()[y];
    for (int x = 0; x < source.Width(); ++x, pixel += 4) {
      const double level = (shares.Green[pixel[1]] + shares.Red[pixel[2]]) + shares.Blue[pixel[0]];
      out[x] = static_cast<std::uint8_t>(level);
    }
  }
}
