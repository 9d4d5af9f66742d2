#pragma once

#include "toolkit/PLPixelFilter.h"

// Lightens or darkens a picture: additive, amount is added to each colour level; otherwise each
// level is multiplied by (amount / 100 + 1). The application always uses the additive form.
class PLFilterLightnessPercent : public PLPixelFilter {
 public:
  PLFilterLightnessPercent(int amount, bool additive) : amount_(amount), additive_(additive) {}

 protected:
  void FilterPixel(const std::uint8_t* source, std::uint8_t* target) const override;

 private:
  int amount_;
  bool additive_;
};
