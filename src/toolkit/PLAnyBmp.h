#pragma once

#include <cstddef>

#include "toolkit/PLBlock.h"
#include "toolkit/PLBmp.h"

// A bitmap in one plain block, rows top-down and unpadded, with its palette in a block of its
// own. Filters and conversions use it as scratch storage.
class PLAnyBmp : public PLBmp {
 public:
  // A 16 x 16 bitmap of 8 bits per pixel with the grey palette.
  PLAnyBmp();
  PLAnyBmp(const PLAnyBmp& source);
  PLAnyBmp& operator=(const PLAnyBmp&) = delete;
  ~PLAnyBmp() override = default;

  std::size_t MemoryUsed() const override;
  int BytesPerLine() const override;

 protected:
  void AllocatePixels(int width, int height, int bpp, bool alpha, bool greyscale) override;

 private:
  PLBlock pixels_;
  PLBlock palette_;
};
