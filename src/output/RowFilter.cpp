#include "output/RowFilter.h"

#include <QImage>
#include <algorithm>
#include <cstring>

namespace {

constexpr std::size_t kPixelBytes = 3;

// How many bytes repeat the byte before them. The count is kept in one byte for up to 255
// bytes at a time, so that the compiler compares sixteen bytes at once.
std::size_t Repeats(const std::uint8_t* bytes, std::size_t size) {
  std::size_t repeats = 0;
  for (std::size_t i = 1; i < size;) {
    const std::size_t end = std::min(size, i + 255);
    std::uint8_t part = 0;
    for (; i < end; ++i) part += bytes[i] == bytes[i - 1];
    repeats += part;
  }
  return repeats;
}

// Each filter subtracts, modulo 256, its prediction of a byte from the byte. The predictions
// come from the same colour of the pixel to the left (a), above (b) and above to the left (c);
// there is no pixel left of the first one, and the filters count its colours as 0.
void Sub(const std::uint8_t* row, std::size_t size, std::uint8_t* out) {
  std::memcpy(out, row, std::min(size, kPixelBytes));
  for (std::size_t i = kPixelBytes; i < size; ++i) {
    out[i] = static_cast<std::uint8_t>(row[i] - row[i - kPixelBytes]);
  }
}

void Up(const std::uint8_t* row, const std::uint8_t* above, std::size_t size, std::uint8_t* out) {
  for (std::size_t i = 0; i < size; ++i) out[i] = static_cast<std::uint8_t>(row[i] - above[i]);
}

// Paeth's predictor: whichever of a, b and c is nearest to a + b - c, in that order on ties.
// The arithmetic is in 16 bits, so that the compiler works on eight bytes at once.
void Paeth(const std::uint8_t* row, const std::uint8_t* above, std::size_t size,
           std::uint8_t* out) {
  // With a and c 0, the nearest is always b.
  Up(row, above, std::min(size, kPixelBytes), out);
  for (std::size_t i = kPixelBytes; i < size; ++i) {
    const std::int16_t a = row[i - kPixelBytes];
    const std::int16_t b = above[i];
    const std::int16_t c = above[i - kPixelBytes];
    std::int16_t pa = static_cast<std::int16_t>(b - c);
    std::int16_t pb = static_cast<std::int16_t>(a - c);
    std::int16_t pc = static_cast<std::int16_t>(pa + pb);
    pa = pa < 0 ? static_cast<std::int16_t>(-pa) : pa;
    pb = pb < 0 ? static_cast<std::int16_t>(-pb) : pb;
    pc = pc < 0 ? static_cast<std::int16_t>(-pc) : pc;
    const std::int16_t prediction = pa <= pb && pa <= pc ? a : (pb <= pc ? b : c);
    out[i] = static_cast<std::uint8_t>(row[i] - prediction);
  }
}

}  // namespace

RowFilter::RowFilter(int width)
    : width_(static_cast<std::size_t>(std::max(width, 0))),
      bytes_(kPixelBytes * width_),
      above_(bytes_),
      current_(bytes_),
      candidate_(bytes_) {}

void RowFilter::Filter(const QImage& image, int top, int count, std::uint8_t* out) {
  if (top > 0) {
    Pack(image, top - 1, above_.data());
  } else {
    std::fill(above_.begin(), above_.end(), 0);  // the row above the first counts as 0
  }
  for (int i = 0; i < count; ++i) {
    Pack(image, top + i, current_.data());
    FilterRow(out + (1 + bytes_) * static_cast<std::size_t>(i));
    above_.swap(current_);
  }
}

void RowFilter::Pack(const QImage& image, int y, std::uint8_t* out) const {
  const auto* pixels = reinterpret_cast<const QRgb*>(image.constScanLine(y));
  for (std::size_t x = 0; x < width_; ++x) {
    const QRgb pixel = pixels[x];
    *out++ = static_cast<std::uint8_t>(qRed(pixel));
    *out++ = static_cast<std::uint8_t>(qGreen(pixel));
    *out++ = static_cast<std::uint8_t>(qBlue(pixel));
  }
}

// Tries each filter on the current row and keeps the first with the most repeats.
void RowFilter::FilterRow(std::uint8_t* out) {
  const std::uint8_t* row = current_.data();
  std::uint8_t* const bytes = out + 1;
  out[0] = kNone;
  std::memcpy(bytes, row, bytes_);
  std::size_t best = Repeats(row, bytes_);
  const auto keepIfBetter = [&](Type type) {
    const std::size_t repeats = Repeats(candidate_.data(), bytes_);
    if (repeats <= best) return;
    best = repeats;
    out[0] = type;
    std::memcpy(bytes, candidate_.data(), bytes_);
  };
  Sub(row, bytes_, candidate_.data());
  keepIfBetter(kSub);
  Up(row, above_.data(), bytes_, candidate_.data());
  keepIfBetter(kUp);
  Paeth(row, above_.data(), bytes_, candidate_.data());
  keepIfBetter(kPaeth);
}
