#pragma once

#include <cmath>

#include "toolkit/PLContribDef.h"

// A triangle: halfWidth - |x| inside the half-width, 0 outside.
class PLBilinearContribDef : public PLContribDef {
 public:
  explicit PLBilinearContribDef(double halfWidth) : PLContribDef(halfWidth) {}

  double Weight(double x) const override {
    const double distance = std::fabs(x);
    return distance < HalfWidth() ? HalfWidth() - distance : 0.0;
  }
};
