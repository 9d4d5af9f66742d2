#include "toolkit/PLFilterContrast.h"

PLFilterContrast::PLFilterContrast(double contrast, std::uint8_t offset) {
  const double e = ((offset - 128.0) - 128.0) * contrast + 128.0;
  for (int v = 0; v < 256; ++v) {
    const double level = v * contrast + e;
    levels_[v] = level >= 255.0 ? 255 : (level < 0.0 ? 0 : static_cast<std::uint8_t>(level));
  }
}

void PLFilterContrast::FilterPixel(const std::uint8_t* source, std::uint8_t* target) const {
  target[0] = levels_[source[0]];
  target[1] = levels_[source[1]];
  target[2] = levels_[source[2]];
}
