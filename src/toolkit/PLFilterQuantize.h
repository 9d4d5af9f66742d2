#pragma once

#include <array>
#include <optional>

#include "toolkit/PLFilter.h"
#include "toolkit/PLPixel32.h"

// Reduces a 32-bit picture to 8 bits per pixel with a palette of at most 256 colours. Each
// pixel takes the palette entry nearest to it (or to its dithered colour) in RGB distance.
class PLFilterQuantize : public PLFilter {
 public:
  enum PaletteMethod {
    MedianCut = 0,   // boxes of similar colours split at their median, from the picture
    Popularity = 1,  // the most frequent colours of the picture
    FixedPalette = 2,
    UserPalette = 3,  // the palette given with SetUserPalette, the fixed one without it
  };
  enum DitherMethod {
    NoDither = 0,
    OrderedDither = 1,  // a 4 x 4 pattern added to each channel before the look-up
  };
  using Palette = std::array<PLPixel32, 256>;

  // Unknown methods fall back to the fixed palette and no dithering.
  PLFilterQuantize(int paletteMethod, int ditherMethod);

  void SetUserPalette(const Palette& palette) { userPalette_ = palette; }

  // 8 levels of red and green and 4 of blue, red in the top bits of the index.
  static Palette MakeFixedPalette();

 protected:
  void Produce(const PLBmp& source, PLBmp& target) const override;

 private:
  int paletteMethod_;
  int ditherMethod_;
  std::optional<Palette> userPalette_;
};
