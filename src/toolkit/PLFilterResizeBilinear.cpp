#include "toolkit/PLFilterResizeBilinear.h"

#include "toolkit/PLBilinearContribDef.h"
#include "toolkit/PLBmp.h"
#include "toolkit/PLTextException.h"
#include "toolkit/PLTwoPassScale.h"

void PLFilterResizeBilinear::Produce(const PLBmp& source, PLBmp& target) const {
  if (source.BitsPerPixel() != 32) {
    throw PLTextException(PL_ERRUNEXPECTED_DATA, "Resizing needs a 32-bit bitmap.");
  }
  target.Create(NewWidth(), NewHeight(), source.BitsPerPixel(), source.Alpha(), source.Greyscale(),
                nullptr, 0, source.Resolution());
  const PLBilinearContribDef triangle(0.64);
  PLTwoPassScale(triangle).Scale(source, target);
}
