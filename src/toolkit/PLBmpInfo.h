#pragma once

#include "toolkit/PLObject.h"

// Pixels per inch; (0, 0) means unknown.
struct PLPoint {
  int x = 0;
  int y = 0;
  friend bool operator==(const PLPoint&, const PLPoint&) = default;
};

// The description of a bitmap: what a decoder knows of an image before its pixels exist, and
// what every bitmap knows of itself.
class PLBmpInfo : public PLObject {
 public:
  PLBmpInfo() = default;
  PLBmpInfo(int width, int height, int bitsPerPixel, PLPoint resolution, bool alpha, bool greyscale)
      : Width(width),
        Height(height),
        BitsPerPixel(bitsPerPixel),
        Resolution(resolution),
        Alpha(alpha),
        Greyscale(greyscale) {}

  int Width = 0;
  int Height = 0;
  int BitsPerPixel = 0;
  PLPoint Resolution;
  bool Alpha = false;
  bool Greyscale = false;
};
