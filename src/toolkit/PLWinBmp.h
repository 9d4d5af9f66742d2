#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

#include "toolkit/PLBlock.h"
#include "toolkit/PLBmp.h"

class DeviceContext;
enum class RasterOp;
struct DibView;

// A bitmap stored as a Windows device-independent bitmap in one block: the 40-byte information
// header, the colour table, then the rows bottom-up, each padded to a multiple of 4 bytes. Row 0
// of the row table is the top of the picture although it is stored last. The block is handed
// to a drawing surface as it is, without conversion.
class PLWinBmp : public PLBmp {
 public:
  // A 16 x 16 bitmap of 8 bits per pixel with the grey palette.
  PLWinBmp();
  // A copy of any bitmap: same depth, same pixels, palette and resolution.
  explicit PLWinBmp(const PLBmp& source);
  PLWinBmp(const PLWinBmp& source);
  PLWinBmp& operator=(const PLWinBmp&) = delete;
  ~PLWinBmp() override = default;

  std::size_t MemoryUsed() const override;
  int BytesPerLine() const override;

  // Draws the whole bitmap into the rectangle whose corner is (x, y); a negative height draws
  // downwards from y.
  void BlitStretched(DeviceContext& dc, int x, int y, int width, int height, RasterOp op) const;
  void Blit(DeviceContext& dc, int x, int y, RasterOp op) const;
  void BlitScaled(DeviceContext& dc, int x, int y, double factor, RasterOp op) const;
  // Copies the part [left, right) x [top, bottom) of the picture, one pixel per logical unit,
  // with its top-left corner at (x, y).
  void BlitPart(DeviceContext& dc, int x, int y, int left, int top, int right, int bottom) const;

  // Takes a packed device-independent bitmap: a 40-byte information header, the colour table
  // and the rows. Raises code 2 when the block is malformed or shorter than its header claims.
  void CreateFromPackedDib(std::span<const std::uint8_t> block);

  // The whole block, in the form CreateFromPackedDib takes.
  std::span<const std::uint8_t> DibBlock() const { return {block_.get(), block_.size()}; }
  DibView View() const;

 protected:
  void AllocatePixels(int width, int height, int bpp, bool alpha, bool greyscale) override;

 private:
  struct DibParts {
    PLPixel32* Palette = nullptr;
    std::uint8_t* Bits = nullptr;
  };
  // Finds the colour table and the first stored row of a block from its header.
  static DibParts LocateDibParts(std::uint8_t* block);

  PLBlock block_;
  std::uint8_t* bits_ = nullptr;
};
