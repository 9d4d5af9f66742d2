#pragma once

class PLBmp;
class PLContribDef;

// Scales 32-bit pictures in two passes, first along the rows and then along the columns, with
// integer weight tables built from a weighting function. Every byte of a pixel, the fourth
// included, is filtered alike: (sum of weight x source byte + 128) / 256.
class PLTwoPassScale {
 public:
  explicit PLTwoPassScale(const PLContribDef& contrib) : contrib_(contrib) {}

  // Fills target, which already has the wanted size and 32 bits per pixel, from source, which
  // has 32 bits per pixel.
  void Scale(const PLBmp& source, PLBmp& target) const;

 private:
  const PLContribDef& contrib_;
};
