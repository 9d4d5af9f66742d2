#pragma once

#include "toolkit/PLFilter.h"

// Cuts the rectangle [left, right) x [top, bottom) out of a picture of any depth.
class PLFilterCrop : public PLFilter {
 public:
  PLFilterCrop(int left, int top, int right, int bottom)
      : left_(left), right_(right), top_(top), bottom_(bottom) {}

 protected:
  // Raises code 2 when the rectangle does not lie inside the source.
  void Produce(const PLBmp& source, PLBmp& target) const override;

 private:
  int left_;
  int right_;
  int top_;
  int bottom_;
};
