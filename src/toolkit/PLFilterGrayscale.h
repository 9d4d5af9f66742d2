#pragma once

#include "toolkit/PLFilter.h"

// Turns a 32-bit picture into an 8-bit one with the grey ramp as palette, weighting the
// channels by their share of luminance.
class PLFilterGrayscale : public PLFilter {
 public:
  PLFilterGrayscale() = default;

 protected:
  // Raises code 2 for a source that is not 32 bits per pixel.
  void Produce(const PLBmp& source, PLBmp& target) const override;
};
