#include "images/PLFilterLightnessPercent.h"

namespace {

std::uint8_t Store(double value) {
  if (value >= 255) return 255;
  if (value < 0) return 0;
  return static_cast<std::uint8_t>(value);
}

}  // namespace

void PLFilterLightnessPercent::FilterPixel(const std::uint8_t* source, std::uint8_t* target) const {
  const double factor = static_cast<double>(amount_) / 100 + 1;
  for (int channel = 0; channel < 3; ++channel) {
    const double level = source[channel];
    target[channel] = Store(additive_ ? level + amount_ : level * factor);
  }
}
