#pragma once

#include "toolkit/PLObject.h"

// A pair of integers: a resolution in pixels per inch ((0, 0) means unknown) or a size in pixels.
struct PLPoint {
  int x = 0;
  int y = 0;
  friend bool operator==(const PLPoint&, const PLPoint&) = default;
};

// The description of a bitmap: what a decoder knows of an image before its pixels exist, and
// what every bitmap knows of itself. The fields are read-only from outside so that a bitmap's
// description can never disagree with its storage; decoders and bitmaps set them through
// SetBmpInfo.
class PLBmpInfo : public PLObject {
 public:
  PLBmpInfo() = default;
  PLBmpInfo(int width, int height, int bitsPerPixel, PLPoint resolution, bool alpha, bool greyscale)
      : width_(width),
        height_(height),
        bitsPerPixel_(bitsPerPixel),
        resolution_(resolution),
        alpha_(alpha),
        greyscale_(greyscale) {}

  int Width() const { return width_; }
  int Height() const { return height_; }
  int BitsPerPixel() const { return bitsPerPixel_; }
  PLPoint Resolution() const { return resolution_; }
  bool Alpha() const { return alpha_; }
  bool Greyscale() const { return greyscale_; }
  PLPoint GetSize() const { return {width_, height_}; }

 protected:
  void SetBmpInfo(const PLBmpInfo& info) { *this = info; }
  void SetResolution(PLPoint resolution) { resolution_ = resolution; }

 private:
  int width_ = 0;
  int height_ = 0;
  int bitsPerPixel_ = 0;
  PLPoint resolution_;
  bool alpha_ = false;
  bool greyscale_ = false;
};
