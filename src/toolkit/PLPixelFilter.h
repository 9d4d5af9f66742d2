#pragma once

#include <cstdint>

#include "toolkit/PLFilter.h"

// The base of the filters that compute each pixel's colour from the same pixel of the source,
// at 24 or 32 bits per pixel. It owns the loop over the rows and creates the target with the
// source's description; a filter states only its arithmetic on one pixel. The fourth byte of a
// 32-bit pixel is carried over unchanged, so that alpha survives a colour correction.
class PLPixelFilter : public PLFilter {
 protected:
  // Writes blue, green and red of one target pixel from the source pixel's blue, green, red.
  virtual void FilterPixel(const std::uint8_t* source, std::uint8_t* target) const = 0;

  // Raises code 2 for a source that is not 24 or 32 bits per pixel.
  void Produce(const PLBmp& source, PLBmp& target) const final;
};
