// Feeds arbitrary bytes to the Exif reader as the TIFF part of an APP1 segment (after the
// six-byte "Exif" header, which is added here so that no run is spent finding it), then uses
// the data as the application does.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "toolkit/PLExifData.h"
#include "toolkit/PLTextException.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::vector<std::uint8_t> segment = {'E', 'x', 'i', 'f', 0, 0};
  segment.insert(segment.end(), data, data + size);
  PLExifData exif;
  try {
    exif.ReadFromSegment(segment.data(), segment.size());
  } catch (const PLTextException&) {
    return 0;
  }
  const PLExifData copy = exif;
  exif.Clear();
  volatile double orientation = copy.NumericValue("main.ori");
  (void)orientation;
  for (const auto& entry : copy.AllEntries()) {
    volatile std::size_t length = entry->ValueText().size() + entry->Key().size();
    (void)length;
  }
  return 0;
}
