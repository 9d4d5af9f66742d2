#include "toolkit/PLBmp.h"

#include <algorithm>
#include <cstring>
#include <utility>

#include "toolkit/PLAnyBmp.h"
#include "toolkit/PLBmpConvert.h"
#include "toolkit/PLBmpStorage.h"
#include "toolkit/PLFilter.h"
#include "toolkit/PLFilterQuantize.h"

void PLBmp::Create(int width, int height, int bpp, bool alpha, bool greyscale,
                   const std::uint8_t* bits, int stride, PLPoint resolution) {
  Prepare(width, height, bpp, alpha, greyscale);
  SetResolution(resolution);
  if (bits == nullptr) return;
  // The whole unpadded row is taken, including the partly used last byte of a 1-bit row, so
  // that no pixel at the right edge is lost.
  const std::int64_t lineBytes = PLPackedBytesPerLine(width, bpp);
  const std::int64_t step = stride != 0 ? stride : lineBytes;
  for (int y = 0; y < height; ++y) {
    std::memcpy(rows_[y], bits + y * step, static_cast<std::size_t>(lineBytes));
  }
}

void PLBmp::CreateFromInfo(const PLBmpInfo& info) {
  Create(info.Width(), info.Height(), info.BitsPerPixel(), info.Alpha(), info.Greyscale(), nullptr,
         0, info.Resolution());
}

void PLBmp::CopyFrom(const PLBmp& source, int bpp) {
  if (bpp == 0 || bpp == source.BitsPerPixel()) {
    if (&source != this) CopyPixelsFrom(source);
    return;
  }
  if (&source == this) {
    // Converting a bitmap into itself would release the pixels while they are read.
    PLAnyBmp copy;
    copy.CopyPixelsFrom(*this);
    ConvertFrom(copy, bpp);
    return;
  }
  ConvertFrom(source, bpp);
}

void PLBmp::ConvertFrom(const PLBmp& source, int bpp) {
  if (bpp == 8 && source.BitsPerPixel() > 8) {
    const PLFilterQuantize quantize(quantizePalette_, quantizeDither_);
    if (source.BitsPerPixel() == 32) {
      quantize.FilterInto(source, *this);
    } else {
      PLAnyBmp wide;
      wide.CopyFrom(source, 32);
      quantize.FilterInto(wide, *this);
    }
  } else {
    Create(source.Width(), source.Height(), bpp, source.Alpha() && bpp == 32,
           source.Greyscale() && bpp == 8);
    PLConvertPixels(source, *this);
  }
  SetResolution(source.Resolution());
}

void PLBmp::CopyPixelsFrom(const PLBmp& source) {
  if (&source == this) return;
  Prepare(source.Width(), source.Height(), source.BitsPerPixel(), source.Alpha(),
          source.Greyscale());
  // The two kinds pad their rows differently; copying the shorter length never reads past the
  // source's storage and never drops a pixel.
  const auto lineBytes = static_cast<std::size_t>(std::min(BytesPerLine(), source.BytesPerLine()));
  for (int y = 0; y < Height(); ++y) std::memcpy(rows_[y], source.rows_[y], lineBytes);
  if (palette_ != nullptr) {
    std::copy_n(source.palette_, PLPaletteEntries(BitsPerPixel()), palette_);
  }
  SetResolution(source.Resolution());
}

void PLBmp::ApplyFilter(const PLFilter& filter) { filter.FilterInPlace(*this); }

void PLBmp::SetGreyPalette() {
  const int entries = PLPaletteEntries(BitsPerPixel());
  if (palette_ == nullptr || entries < 2) return;
  const int step = 255 / (entries - 1);
  for (int i = 0; i < entries; ++i) {
    const auto level = static_cast<std::uint8_t>(i * step);
    palette_[i] = {level, level, level, 255};
  }
}

void PLBmp::Lock(bool, bool) { ++lockCount_; }

void PLBmp::Unlock() { --lockCount_; }

void PLBmp::Prepare(int width, int height, int bpp, bool alpha, bool greyscale) {
  // Storage of the same size and depth is cleared and kept: filters that work in place copy
  // their result back into a bitmap of the same size, and fresh pages cost far more than
  // clearing warm ones.
  if (width != Width() || height != Height() || bpp != BitsPerPixel()) {
    AllocatePixels(width, height, bpp, alpha, greyscale);
    return;
  }
  const auto lineBytes = static_cast<std::size_t>(BytesPerLine());
  for (std::uint8_t* row : rows_) std::memset(row, 0, lineBytes);
  SetBmpInfo(PLBmpInfo(width, height, bpp, PLPoint{}, alpha, greyscale));
  SetGreyPalette();
}

void PLBmp::FinishCreate(int width, int height, int bpp, bool alpha, bool greyscale,
                         std::vector<std::uint8_t*> rows, PLPixel32* palette) noexcept {
  SetBmpInfo(PLBmpInfo(width, height, bpp, PLPoint{}, alpha, greyscale));
  rows_ = std::move(rows);
  palette_ = palette;
  SetGreyPalette();
}
