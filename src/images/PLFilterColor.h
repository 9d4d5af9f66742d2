#pragma once

#include "toolkit/PLPixelFilter.h"

// Shifts the red, green and blue levels of a picture. Balanced, half of each shift goes into its
// channel and half of what that channel actually changed is taken out of the two others, so
// that the picture's brightness stays about the same: (100, 100, 100) with red +40 becomes
// (120, 90, 90). Unbalanced, each shift is added as it is.
class PLFilterColor : public PLPixelFilter {
 public:
  PLFilterColor(int red, int green, int blue, bool balanced)
      : red_(red), green_(green), blue_(blue), balanced_(balanced) {}

 protected:
  void FilterPixel(const std::uint8_t* source, std::uint8_t* target) const override;

 private:
  int red_;
  int green_;
  int blue_;
  bool balanced_;
};
