#include "images/PLFilterColor.h"

#include <algorithm>
#include <cstdint>

namespace {

// Sums are taken in 64 bits so that no shift, however large, can overflow before clamping.
std::int64_t Clamp(std::int64_t value) { return std::clamp<std::int64_t>(value, 0, 255); }

}  // namespace

void PLFilterColor::FilterPixel(const std::uint8_t* source, std::uint8_t* target) const {
  const std::int64_t b = source[0];
  const std::int64_t g = source[1];
  const std::int64_t r = source[2];
  std::int64_t outR;
  std::int64_t outG;
  std::int64_t outB;
  if (!balanced_) {
    outR = Clamp(r + red_);
    outG = Clamp(g + green_);
    outB = Clamp(b + blue_);
  } else {
    // Every halving truncates toward zero and is taken of each term on its own.
    const std::int64_t r1 = Clamp(r + red_ / 2);
    const std::int64_t g1 = Clamp(g + green_ / 2);
    const std::int64_t b1 = Clamp(b + blue_ / 2);
    const std::int64_t dR = r1 - r;
    const std::int64_t dG = g1 - g;
    const std::int64_t dB = b1 - b;
    outR = Clamp(r1 - dB / 2 - dG / 2);
    outG = Clamp(g1 - dR / 2 - dB / 2);
    outB = Clamp(b1 - dR / 2 - dG / 2);
  }
  target[0] = static_cast<std::uint8_t>(outB);
  target[1] = static_cast<std::uint8_t>(outG);
  target[2] = static_cast<std::uint8_t>(outR);
}
