#pragma once

#include "toolkit/PLPixelFilter.h"

// Shifts hue, saturation and brightness (value) on 0 to 255 scales. Colours that a saturation or
// brightness shift pushes out of range are moved back as a whole, so that they keep their hue.
class PLFilterHSB : public PLPixelFilter {
 public:
  PLFilterHSB(int hue, int saturation, int brightness)
      : hue_(hue), saturation_(saturation), brightness_(brightness) {}

 protected:
  void FilterPixel(const std::uint8_t* source, std::uint8_t* target) const override;

 private:
  int hue_;
  int saturation_;
  int brightness_;
};
