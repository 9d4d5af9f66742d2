// Feeds arbitrary bytes to the JPEG decoder as the application uses it: a whole file in memory,
// decoded into a 32-bit PLWinBmp, with its Exif data read on the way.
#include <cstddef>
#include <cstdint>

#include "toolkit/PLJPEGDecoder.h"
#include "toolkit/PLTextException.h"
#include "toolkit/PLWinBmp.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  PLJPEGDecoder decoder;
  // A megapixel keeps every run short and far below the fuzzer's memory limit, while the
  // header check for larger pictures still runs.
  decoder.SetPixelLimit(1 << 20);
  PLWinBmp bmp;
  try {
    decoder.DecodeMemory(data, size, bmp, 32);
  } catch (const PLTextException&) {
  }
  return 0;
}
