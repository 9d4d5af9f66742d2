#pragma once

#include "toolkit/PLFilterResize.h"

// Scales a 32-bit picture to a new size with a triangle of half-width 0.64 in two passes. The
// resolution is kept as it is, not scaled.
class PLFilterResizeBilinear : public PLFilterResize {
 public:
  PLFilterResizeBilinear(int newWidth, int newHeight) : PLFilterResize(newWidth, newHeight) {}

 protected:
  void Produce(const PLBmp& source, PLBmp& target) const override;
};
