#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "toolkit/PLBmpInfo.h"
#include "toolkit/PLPixel32.h"

class PLFilter;

// The bitmap interface shared by PLWinBmp and PLAnyBmp: a description, a palette for depths up
// to 8 bits, and a table of row pointers in which row 0 is always the top row of the picture.
//
// Every operation that makes new storage allocates it completely before giving up the old, so
// a failure (PLTextException code 10) leaves the bitmap exactly as it was.
class PLBmp : public PLBmpInfo {
 public:
  ~PLBmp() override = default;
  PLBmp(const PLBmp&) = delete;
  PLBmp& operator=(const PLBmp&) = delete;

  // Makes new storage for the description, cleared to zero, then copies rows from bits when it
  // is given: each row takes the unpadded row length from bits + row × step, where step is
  // stride or, when stride is 0, the unpadded row length.
  virtual void Create(int width, int height, int bpp, bool alpha, bool greyscale,
                      const std::uint8_t* bits = nullptr, int stride = 0, PLPoint resolution = {});
  virtual void CreateFromInfo(const PLBmpInfo& info);

  // Copies source into this bitmap, converting to bpp bits per pixel (0: the source's depth).
  void CopyFrom(const PLBmp& source, int bpp = 0);
  // Takes source's description, pixels, palette and resolution.
  void CopyPixelsFrom(const PLBmp& source);
  void ApplyFilter(const PLFilter& filter);
  void SetGreyPalette();

  virtual std::size_t MemoryUsed() const = 0;
  virtual int BytesPerLine() const = 0;

  // Bracket pixel access. The in-memory kinds only count; nothing is mapped or unmapped.
  virtual void Lock(bool readable, bool writable);
  virtual void Unlock();
  int LockCount() const { return lockCount_; }

  std::uint8_t* const* RowTable() { return rows_.data(); }
  const std::uint8_t* const* RowTable() const { return rows_.data(); }
  // 2^BitsPerPixel entries for depths up to 8 bits, otherwise null.
  PLPixel32* Palette() { return palette_; }
  const PLPixel32* Palette() const { return palette_; }

  // How a conversion from 32 to 8 bits picks its palette and dithers (PLFilterQuantize).
  int QuantizeDither() const { return quantizeDither_; }
  void SetQuantizeDither(int method) { quantizeDither_ = method; }
  int QuantizePalette() const { return quantizePalette_; }
  void SetQuantizePalette(int method) { quantizePalette_ = method; }

 protected:
  PLBmp() = default;

  // Makes complete new storage for the description and hands it over with FinishCreate; throws
  // before touching the current storage when anything cannot be had.
  virtual void AllocatePixels(int width, int height, int bpp, bool alpha, bool greyscale) = 0;

  // Installs the description and the row table of storage that a kind has just made, with
  // Resolution (0, 0) and the grey ramp in the palette. Cannot fail.
  void FinishCreate(int width, int height, int bpp, bool alpha, bool greyscale,
                    std::vector<std::uint8_t*> rows, PLPixel32* palette) noexcept;

  std::size_t RowTableBytes() const { return rows_.capacity() * sizeof(std::uint8_t*); }

 private:
  // Makes cleared storage for the description, reusing the current storage when it fits.
  void Prepare(int width, int height, int bpp, bool alpha, bool greyscale);
  void ConvertFrom(const PLBmp& source, int bpp);

  PLPixel32* palette_ = nullptr;
  std::vector<std::uint8_t*> rows_;
  int lockCount_ = 0;
  int quantizeDither_ = 0;
  int quantizePalette_ = 2;
};
