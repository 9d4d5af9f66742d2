#include "toolkit/PLFilter.h"

#include <new>

#include "toolkit/PLAnyBmp.h"
#include "toolkit/PLTextException.h"

namespace {

// Working tables of a filter are ordinary containers; running out of memory for them is
// reported like running out for a bitmap, in the toolkit's one error form.
template <typename Run>
void ReportingMemory(Run run) {
  try {
    run();
  } catch (const std::bad_alloc&) {
    throw PLTextException(PL_ERRNO_MEMORY, "Out of memory running filter.");
  }
}

}  // namespace

void PLFilter::FilterInPlace(PLBmp& bitmap) const {
  ReportingMemory([&] {
    PLAnyBmp scratch;
    Produce(bitmap, scratch);
    bitmap.CopyFrom(scratch, 0);
  });
}

void PLFilter::FilterInto(const PLBmp& source, PLBmp& target) const {
  if (&source == &target) {
    FilterInPlace(target);
  } else {
    ReportingMemory([&] { Produce(source, target); });
  }
}
