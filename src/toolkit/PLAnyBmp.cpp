#include "toolkit/PLAnyBmp.h"

#include <cstdint>
#include <utility>
#include <vector>

#include "toolkit/PLBmpStorage.h"

PLAnyBmp::PLAnyBmp() { AllocatePixels(16, 16, 8, false, false); }

PLAnyBmp::PLAnyBmp(const PLAnyBmp& source) : PLAnyBmp() { CopyPixelsFrom(source); }

std::size_t PLAnyBmp::MemoryUsed() const {
  const std::size_t paletteBytes = 4 * static_cast<std::size_t>(PLPaletteEntries(BitsPerPixel()));
  return pixels_.size() + paletteBytes + RowTableBytes() + sizeof(*this);
}

int PLAnyBmp::BytesPerLine() const {
  return static_cast<int>(PLPackedBytesPerLine(Width(), BitsPerPixel()));
}

void PLAnyBmp::AllocatePixels(int width, int height, int bpp, bool alpha, bool greyscale) {
  const std::int64_t lineBytes = PLPackedBytesPerLine(width, bpp);
  const std::size_t size = PLCheckedBlockSize(width, height, bpp, lineBytes, 0);
  PLBlock pixels = PLBlock::Zeroed(size);
  const int entries = PLPaletteEntries(bpp);
  PLBlock palette =
      entries > 0 ? PLBlock::Zeroed(4 * static_cast<std::size_t>(entries)) : PLBlock();
  std::vector<std::uint8_t*> rows = PLAllocateRowTable(height);
  for (int i = 0; i < height; ++i) rows[i] = pixels.get() + i * lineBytes;

  pixels_ = std::move(pixels);
  palette_ = std::move(palette);
  FinishCreate(width, height, bpp, alpha, greyscale, std::move(rows),
               reinterpret_cast<PLPixel32*>(palette_.get()));
}
