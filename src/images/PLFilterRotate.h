#pragma once

#include "toolkit/PLFilter.h"

// Turns a picture of 8, 24 or 32 bits per pixel: turn 0 is a quarter turn clockwise, 1 a half
// turn, 2 a quarter turn anticlockwise. Any other turn gives a blank picture of the turned size.
class PLFilterRotate : public PLFilter {
 public:
  explicit PLFilterRotate(int turn) : turn_(turn) {}

  int Turn() const { return turn_; }

 protected:
  // Raises code 2 for a 1-bit source, whose pixels are not whole bytes.
  void Produce(const PLBmp& source, PLBmp& target) const override;

 private:
  int turn_;
};
