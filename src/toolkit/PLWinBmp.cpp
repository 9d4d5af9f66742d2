#include "toolkit/PLWinBmp.h"

#include <algorithm>
#include <cstring>
#include <string>
#include <utility>
#include <vector>

#include "platform/DeviceContext.h"
#include "toolkit/PLBmpStorage.h"
#include "toolkit/PLTextException.h"

namespace {

constexpr std::size_t kHeaderBytes = 40;

std::uint32_t ReadLe32(const std::uint8_t* p) {
  return p[0] | (p[1] << 8) | (p[2] << 16) | (static_cast<std::uint32_t>(p[3]) << 24);
}

std::uint16_t ReadLe16(const std::uint8_t* p) {
  return static_cast<std::uint16_t>(p[0] | p[1] << 8);
}

void WriteLe32(std::uint8_t* p, std::uint32_t v) {
  for (int i = 0; i < 4; ++i) p[i] = static_cast<std::uint8_t>(v >> (8 * i));
}

void WriteLe16(std::uint8_t* p, std::uint16_t v) {
  p[0] = static_cast<std::uint8_t>(v);
  p[1] = static_cast<std::uint8_t>(v >> 8);
}

// The block is cleared when allocated, so only the non-zero fields are written: header size,
// width, height (positive, so rows run bottom-up), one plane and the bit count.
void WriteHeader(std::uint8_t* block, int width, int height, int bpp) {
  WriteLe32(block, kHeaderBytes);
  WriteLe32(block + 4, static_cast<std::uint32_t>(width));
  WriteLe32(block + 8, static_cast<std::uint32_t>(height));
  WriteLe16(block + 12, 1);
  WriteLe16(block + 14, static_cast<std::uint16_t>(bpp));
}

[[noreturn]] void RejectDib(const std::string& reason) {
  throw PLTextException(PL_ERRUNEXPECTED_DATA, "Invalid packed bitmap: " + reason + ".");
}

}  // namespace

PLWinBmp::PLWinBmp() { AllocatePixels(16, 16, 8, false, false); }

PLWinBmp::PLWinBmp(const PLBmp& source) : PLWinBmp() { CopyPixelsFrom(source); }

PLWinBmp::PLWinBmp(const PLWinBmp& source) : PLWinBmp(static_cast<const PLBmp&>(source)) {}

std::size_t PLWinBmp::MemoryUsed() const { return block_.size() + RowTableBytes() + sizeof(*this); }

int PLWinBmp::BytesPerLine() const {
  return static_cast<int>(PLAlignedBytesPerLine(Width(), BitsPerPixel()));
}

void PLWinBmp::AllocatePixels(int width, int height, int bpp, bool alpha, bool greyscale) {
  const std::int64_t lineBytes = PLAlignedBytesPerLine(width, bpp);
  const std::size_t tableBytes = 4 * static_cast<std::size_t>(PLPaletteEntries(bpp));
  const std::size_t size =
      PLCheckedBlockSize(width, height, bpp, lineBytes, kHeaderBytes + tableBytes);
  PLBlock block = PLBlock::Zeroed(size);
  std::vector<std::uint8_t*> rows = PLAllocateRowTable(height);
  WriteHeader(block.get(), width, height, bpp);
  const DibParts parts = LocateDibParts(block.get());
  for (int i = 0; i < height; ++i) rows[i] = parts.Bits + (height - 1 - i) * lineBytes;

  block_ = std::move(block);
  bits_ = parts.Bits;
  FinishCreate(width, height, bpp, alpha, greyscale, std::move(rows), parts.Palette);
}

PLWinBmp::DibParts PLWinBmp::LocateDibParts(std::uint8_t* block) {
  const int bpp = ReadLe16(block + 14);
  std::uint8_t* table = block + kHeaderBytes;
  if (bpp > 8) return {nullptr, table};
  return {reinterpret_cast<PLPixel32*>(table), table + 4 * PLPaletteEntries(bpp)};
}

void PLWinBmp::CreateFromPackedDib(std::span<const std::uint8_t> block) {
  if (block.size() < kHeaderBytes) RejectDib("shorter than its header");
  const std::uint8_t* header = block.data();
  if (ReadLe32(header) != kHeaderBytes) RejectDib("unsupported header");
  const auto width = static_cast<std::int32_t>(ReadLe32(header + 4));
  const auto storedHeight = static_cast<std::int32_t>(ReadLe32(header + 8));
  const int bpp = ReadLe16(header + 14);
  const std::uint32_t compression = ReadLe32(header + 16);
  const std::uint32_t coloursUsed = ReadLe32(header + 32);
  if (compression != 0) RejectDib("compressed");
  if (!PLIsSupportedDepth(bpp)) RejectDib("unsupported bit depth");
  if (width <= 0 || storedHeight == 0 || storedHeight == INT32_MIN) RejectDib("bad size");

  // A colour table may list fewer entries than the depth allows; the rows follow the entries
  // that are present. A negative height marks rows stored top-down.
  const int entries = PLPaletteEntries(bpp);
  const int tableEntries = coloursUsed != 0 && coloursUsed < static_cast<std::uint32_t>(entries)
                               ? static_cast<int>(coloursUsed)
                               : entries;
  const int height = storedHeight < 0 ? -storedHeight : storedHeight;
  const std::int64_t lineBytes = PLAlignedBytesPerLine(width, bpp);
  const std::size_t pixelOffset = kHeaderBytes + 4 * static_cast<std::size_t>(tableEntries);
  if (lineBytes > INT32_MAX) RejectDib("bad size");
  // Both factors are below 2^31, so the product fits 64 bits.
  const auto pixelBytes =
      static_cast<std::uint64_t>(lineBytes) * static_cast<std::uint64_t>(height);
  if (block.size() < pixelOffset || pixelBytes > block.size() - pixelOffset) RejectDib("truncated");

  AllocatePixels(width, height, bpp, false, false);
  // The block's own colour table is kept; the grey ramp that new storage gets would lose it.
  if (tableEntries > 0) std::memcpy(Palette(), header + kHeaderBytes, 4 * tableEntries);
  const std::uint8_t* source = header + pixelOffset;
  for (int i = 0; i < height; ++i) {
    const int storedRow = storedHeight < 0 ? i : height - 1 - i;
    std::memcpy(RowTable()[i], source + storedRow * lineBytes, static_cast<std::size_t>(lineBytes));
  }
}

DibView PLWinBmp::View() const {
  const PLPixel32* palette = Palette();
  return DibView{bits_,
                 Width(),
                 Height(),
                 BitsPerPixel(),
                 BytesPerLine(),
                 palette != nullptr ? reinterpret_cast<const std::uint8_t*>(palette) : nullptr};
}

void PLWinBmp::BlitStretched(DeviceContext& dc, int x, int y, int width, int height,
                             RasterOp op) const {
  dc.StretchDIBits(x, y, width, height, 0, 0, Width(), Height(), View(), op);
}

void PLWinBmp::Blit(DeviceContext& dc, int x, int y, RasterOp op) const {
  BlitStretched(dc, x, y, Width(), Height(), op);
}

void PLWinBmp::BlitScaled(DeviceContext& dc, int x, int y, double factor, RasterOp op) const {
  BlitStretched(dc, x, y, static_cast<int>(Width() * factor), static_cast<int>(Height() * factor),
                op);
}

void PLWinBmp::BlitPart(DeviceContext& dc, int x, int y, int left, int top, int right,
                        int bottom) const {
  // A part reaching outside the picture is clipped to it, as the device copy clips, so that the
  // surface is never asked for pixels the block does not hold.
  if (left < 0) {
    x -= left;
    left = 0;
  }
  if (top < 0) {
    y += top;
    top = 0;
  }
  right = std::min(right, Width());
  bottom = std::min(bottom, Height());
  const int width = right - left;
  const int height = bottom - top;
  if (width <= 0 || height <= 0) return;
  // The source origin is counted from the bottom row, as in a device-independent bitmap, and
  // the part hangs down from (x, y), one pixel per logical unit.
  dc.StretchDIBits(x, y, width, -height, left, Height() - bottom, width, height, View(),
                   RasterOp::SrcCopy);
}
