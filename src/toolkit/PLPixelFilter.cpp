#include "toolkit/PLPixelFilter.h"

#include "toolkit/PLBmp.h"
#include "toolkit/PLTextException.h"

void PLPixelFilter::Produce(const PLBmp& source, PLBmp& target) const {
  const int bpp = source.BitsPerPixel();
  if (bpp != 24 && bpp != 32) {
    throw PLTextException(PL_ERRUNEXPECTED_DATA, "Filter needs a 24- or 32-bit bitmap.");
  }
  target.Create(source.Width(), source.Height(), bpp, source.Alpha(), source.Greyscale(), nullptr,
                0, source.Resolution());
  const int step = bpp / 8;
  for (int y = 0; y < source.Height(); ++y) {
    const std::uint8_t* in = source.RowTable()[y];
    std::uint8_t* out = target.RowTable()[y];
    for (int x = 0; x < source.Width(); ++x, in += step, out += step) {
      FilterPixel(in, out);
      if (step == 4) out[3] = in[3];
    }
  }
}
