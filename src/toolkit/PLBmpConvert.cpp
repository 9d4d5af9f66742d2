#include "toolkit/PLBmpConvert.h"

#include <cstdint>
#include <vector>

#include "toolkit/PLBmp.h"

namespace {

int BitOf(const std::uint8_t* row, int x) { return (row[x >> 3] >> (7 - (x & 7))) & 1; }

// Expands one source row of any depth into 32-bit pixels: palette depths take their palette
// entry whole, 24-bit pixels gain an opaque fourth byte.
void ExpandRow(const PLBmp& source, const std::uint8_t* row, std::vector<PLPixel32>& out) {
  const int width = source.Width();
  const PLPixel32* palette = source.Palette();
  switch (source.BitsPerPixel()) {
    case 1:
      for (int x = 0; x < width; ++x) out[x] = palette[BitOf(row, x)];
      break;
    case 8:
      for (int x = 0; x < width; ++x) out[x] = palette[row[x]];
      break;
    case 24:
      for (int x = 0; x < width; ++x, row += 3) out[x] = {row[0], row[1], row[2], 255};
      break;
    default:
      for (int x = 0; x < width; ++x, row += 4) out[x] = {row[0], row[1], row[2], row[3]};
      break;
  }
}

bool IsDark(const PLPixel32& p) { return p.Blue < 128 && p.Green < 128 && p.Red < 128; }

void WriteRow(const std::vector<PLPixel32>& pixels, int bpp, std::uint8_t* row) {
  const int width = static_cast<int>(pixels.size());
  switch (bpp) {
    case 32:
      for (int x = 0; x < width; ++x, row += 4) {
        row[0] = pixels[x].Blue;
        row[1] = pixels[x].Green;
        row[2] = pixels[x].Red;
        row[3] = pixels[x].Alpha;
      }
      break;
    case 24:
      for (int x = 0; x < width; ++x, row += 3) {
        row[0] = pixels[x].Blue;
        row[1] = pixels[x].Green;
        row[2] = pixels[x].Red;
      }
      break;
    case 1:
      // The row was cleared when the target was made, so only the black bits are set.
      for (int x = 0; x < width; ++x) {
        if (IsDark(pixels[x])) row[x >> 3] |= static_cast<std::uint8_t>(0x80 >> (x & 7));
      }
      break;
  }
}

// A 1-bit picture keeps its two colours as the first two entries of an 8-bit palette.
void OneBitToIndices(const PLBmp& source, PLBmp& target) {
  PLPixel32* palette = target.Palette();
  for (int i = 0; i < 2; ++i) {
    palette[i] = source.Palette()[i];
    palette[i].Alpha = 255;
  }
  for (int y = 0; y < source.Height(); ++y) {
    const std::uint8_t* in = source.RowTable()[y];
    std::uint8_t* out = target.RowTable()[y];
    for (int x = 0; x < source.Width(); ++x) out[x] = static_cast<std::uint8_t>(BitOf(in, x));
  }
}

void SetBlackAndWhitePalette(PLBmp& target) {
  target.Palette()[0] = {255, 255, 255, 255};
  target.Palette()[1] = {0, 0, 0, 255};
}

}  // namespace

void PLConvertPixels(const PLBmp& source, PLBmp& target) {
  const int bpp = target.BitsPerPixel();
  if (bpp == 8) {
    OneBitToIndices(source, target);
    return;
  }
  if (bpp == 1) SetBlackAndWhitePalette(target);
  std::vector<PLPixel32> pixels(static_cast<std::size_t>(source.Width()));
  for (int y = 0; y < source.Height(); ++y) {
    ExpandRow(source, source.RowTable()[y], pixels);
    WriteRow(pixels, bpp, target.RowTable()[y]);
  }
}
