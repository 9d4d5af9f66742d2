#include "toolkit/PLBmpStorage.h"

#include <limits>
#include <new>

#include "toolkit/PLTextException.h"

namespace {

// No bitmap of this program comes near 4 GiB; a description that asks for more is treated as
// hostile rather than handed to the allocator.
constexpr std::int64_t kMaxBlockBytes = std::int64_t{1} << 32;

const char kCreateFailed[] = "Out of memory creating bitmap.";

}  // namespace

bool PLIsSupportedDepth(int bpp) { return bpp == 1 || bpp == 8 || bpp == 24 || bpp == 32; }

int PLPaletteEntries(int bpp) { return bpp <= 8 ? 1 << bpp : 0; }

std::int64_t PLPackedBytesPerLine(int width, int bpp) {
  std::int64_t bytes = std::int64_t{width} * bpp / 8;
  if (bpp == 1 && width % 8 != 0) ++bytes;
  return bytes;
}

std::int64_t PLAlignedBytesPerLine(int width, int bpp) {
  return (PLPackedBytesPerLine(width, bpp) + 3) / 4 * 4;
}

std::size_t PLCheckedBlockSize(int width, int height, int bpp, std::int64_t bytesPerLine,
                               std::size_t headerBytes) {
  if (!PLIsSupportedDepth(bpp)) {
    throw PLTextException(PL_ERRNO_MEMORY, "Unsupported bit depth creating bitmap.");
  }
  if (width < 0 || height < 0 || bytesPerLine > std::numeric_limits<int>::max()) {
    throw PLTextException(PL_ERRNO_MEMORY, kCreateFailed);
  }
  // bytesPerLine is below 2^31 and height below 2^31, so the product cannot overflow 64 bits.
  const std::int64_t total = bytesPerLine * height + static_cast<std::int64_t>(headerBytes);
  if (total > kMaxBlockBytes) throw PLTextException(PL_ERRNO_MEMORY, kCreateFailed);
  return static_cast<std::size_t>(total);
}

std::vector<std::uint8_t*> PLAllocateRowTable(int height) {
  try {
    return std::vector<std::uint8_t*>(static_cast<std::size_t>(height));
  } catch (const std::bad_alloc&) {
    throw PLTextException(PL_ERRNO_MEMORY, "Out of memory initialising line array.");
  }
}
