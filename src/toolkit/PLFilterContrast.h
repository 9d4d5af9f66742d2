#pragma once

#include <array>
#include <cstdint>

#include "toolkit/PLPixelFilter.h"

// Stretches or flattens each colour channel about a pivot: v' = v x contrast + e, clamped to a
// byte, with e = ((offset - 128) - 128) x contrast + 128. The application passes offset 128, so
// the pivot is mid-grey: v' = contrast x (v - 128) + 128.
class PLFilterContrast : public PLPixelFilter {
 public:
  PLFilterContrast(double contrast, std::uint8_t offset);

 protected:
  void FilterPixel(const std::uint8_t* source, std::uint8_t* target) const override;

 private:
  // The result depends on one channel value only, so it is computed once per value.
  std::array<std::uint8_t, 256> levels_;
};
