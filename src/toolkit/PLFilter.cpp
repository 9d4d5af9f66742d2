#include "toolkit/PLFilter.h"

#include "toolkit/PLAnyBmp.h"

void PLFilter::FilterInPlace(PLBmp& bitmap) const {
  PLAnyBmp scratch;
  Produce(bitmap, scratch);
  bitmap.CopyFrom(scratch, 0);
}

void PLFilter::FilterInto(const PLBmp& source, PLBmp& target) const {
  if (&source == &target) {
    FilterInPlace(target);
  } else {
    Produce(source, target);
  }
}
