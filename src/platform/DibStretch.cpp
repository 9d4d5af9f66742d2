#include "platform/DibStretch.h"

#include <algorithm>
#include <bit>
#include <cstring>
#include <vector>

namespace {

// Sides up to 2^22 pixels (far beyond any picture the decoder accepts) and destinations up to
// 2^40 pixels keep every index product below 2^63, so the mapping is exact in 64-bit integers.
constexpr int kMaxSourceSide = 1 << 22;
constexpr std::int64_t kMaxDestinationSide = std::int64_t{1} << 40;

constexpr std::uint32_t kOpaque = 0xFF000000u;
// Runs of columns are worth copying as runs when they are this long on average.
constexpr std::size_t kPixelsPerRun = 8;

// The source pixel whose centre the centre of destination pixel i falls on, when count source
// pixels cover span destination pixels; i lies in [0, span).
std::int64_t NearestSource(std::int64_t i, std::int64_t count, std::int64_t span) {
  return ((2 * i + 1) * count) / (2 * span);
}

std::int64_t MinimumBytesPerLine(int width, int depth) {
  return (static_cast<std::int64_t>(width) * depth + 7) / 8;
}

// The positions of [begin, end) whose mapped source index lies in [0, limit). The mapping is
// monotonic, so those positions are contiguous and trimming both ends finds them.
template <typename Map>
std::pair<std::int64_t, std::int64_t> ValidSpan(std::int64_t begin, std::int64_t end, int limit,
                                                Map map) {
  const auto valid = [&](std::int64_t position) {
    const std::int64_t index = map(position);
    return index >= 0 && index < limit;
  };
  while (begin < end && !valid(begin)) ++begin;
  while (end > begin && !valid(end - 1)) --end;
  return {begin, end};
}

}  // namespace

DibStretch::DibStretch(const DibView& bitmap, SourceRect source)
    : bitmap_(bitmap), source_(source) {
  const int depth = bitmap.BitsPerPixel;
  const bool knownDepth = depth == 1 || depth == 8 || depth == 24 || depth == 32;
  drawable_ =
      knownDepth && bitmap.Bits != nullptr && bitmap.Width > 0 && bitmap.Width <= kMaxSourceSide &&
      bitmap.Height > 0 && bitmap.Height <= kMaxSourceSide &&
      bitmap.BytesPerLine >= MinimumBytesPerLine(bitmap.Width, depth) &&
      (depth > 8 || bitmap.ColourTable != nullptr) && source.Width > 0 && source.Height > 0 &&
      source.Width <= kMaxSourceSide && source.Height <= kMaxSourceSide;
  if (!drawable_ || depth > 8) return;
  const std::uint8_t* entry = bitmap.ColourTable;
  for (int i = 0; i < (1 << depth); ++i, entry += 4) {
    palette_[i] = kOpaque | (std::uint32_t{entry[2]} << 16) | (std::uint32_t{entry[1]} << 8) |
                  std::uint32_t{entry[0]};
  }
}

void DibStretch::Draw(const DeviceRect& destination, RasterOp op, const Target& target) const {
  const std::int64_t width = destination.Right - destination.Left;
  const std::int64_t height = destination.Bottom - destination.Top;
  if (!drawable_ || target.Bits == nullptr || width <= 0 || height <= 0 ||
      width > kMaxDestinationSide || height > kMaxDestinationSide) {
    return;
  }
  switch (bitmap_.BitsPerPixel) {
    case 1:
      return DrawWithOp<1>(destination, op, target);
    case 8:
      return DrawWithOp<8>(destination, op, target);
    case 24:
      return DrawWithOp<24>(destination, op, target);
    case 32:
      return DrawWithOp<32>(destination, op, target);
  }
}

template <int Depth>
void DibStretch::DrawWithOp(const DeviceRect& destination, RasterOp op,
                            const Target& target) const {
  switch (op) {
    case RasterOp::SrcCopy:
      return DrawRows<Depth, RasterOp::SrcCopy>(destination, target);
    case RasterOp::SrcAnd:
      return DrawRows<Depth, RasterOp::SrcAnd>(destination, target);
    case RasterOp::SrcPaint:
      return DrawRows<Depth, RasterOp::SrcPaint>(destination, target);
  }
}

template <int Depth, RasterOp Op>
void DibStretch::DrawRows(const DeviceRect& destination, const Target& target) const {
  const std::int64_t width = destination.Right - destination.Left;
  const std::int64_t height = destination.Bottom - destination.Top;

  const auto sourceColumn = [&](std::int64_t x) {
    return source_.X + NearestSource(x - destination.Left, source_.Width, width);
  };
  // Rows of a DIB are counted from the bottom, so the picture's top row is the highest index.
  const auto sourceRow = [&](std::int64_t y) {
    return source_.Y + source_.Height - 1 -
           NearestSource(y - destination.Top, source_.Height, height);
  };
  const auto [firstX, endX] = ValidSpan(std::max<std::int64_t>(destination.Left, 0),
                                        std::min<std::int64_t>(destination.Right, target.Width),
                                        bitmap_.Width, sourceColumn);
  const auto [firstY, endY] = ValidSpan(std::max<std::int64_t>(destination.Top, 0),
                                        std::min<std::int64_t>(destination.Bottom, target.Height),
                                        bitmap_.Height, sourceRow);
  if (firstX >= endX || firstY >= endY) return;

  // Byte offsets (bit indices for one bit per pixel) of the source pixel of every column.
  std::vector<std::uint32_t> columns(static_cast<std::size_t>(endX - firstX));
  for (std::int64_t x = firstX; x < endX; ++x) {
    const auto column = static_cast<std::uint32_t>(sourceColumn(x));
    columns[static_cast<std::size_t>(x - firstX)] = Depth >= 8 ? column * (Depth / 8) : column;
  }

  if constexpr (Depth == 32 && std::endian::native == std::endian::little) {
    if (DrawRuns<Op>(columns, firstX, firstY, endY, sourceRow, target)) return;
  }
  for (std::int64_t y = firstY; y < endY; ++y) {
    const std::uint8_t* source = bitmap_.Bits + sourceRow(y) * std::int64_t{bitmap_.BytesPerLine};
    auto* out = reinterpret_cast<std::uint32_t*>(target.Bits + y * target.BytesPerLine) + firstX;
    for (const std::uint32_t offset : columns) {
      std::uint32_t pixel;
      if constexpr (Depth == 1) {
        pixel = palette_[(source[offset >> 3] >> (7 - (offset & 7))) & 1];
      } else if constexpr (Depth == 8) {
        pixel = palette_[source[offset]];
      } else if constexpr (Depth == 32 && std::endian::native == std::endian::little) {
        // Blue, green, red, alpha in memory is the little-endian word 0xAARRGGBB.
        std::memcpy(&pixel, source + offset, sizeof pixel);
        pixel |= kOpaque;
      } else {
        pixel = kOpaque | (std::uint32_t{source[offset + 2]} << 16) |
                (std::uint32_t{source[offset + 1]} << 8) | std::uint32_t{source[offset]};
      }
      if constexpr (Op == RasterOp::SrcCopy) {
        *out = pixel;
      } else if constexpr (Op == RasterOp::SrcAnd) {
        *out &= pixel;
      } else {
        *out |= pixel;
      }
      ++out;
    }
  }
}

template <RasterOp Op, typename RowMap>
bool DibStretch::DrawRuns(const std::vector<std::uint32_t>& columns, std::int64_t firstX,
                          std::int64_t firstY, std::int64_t endY, RowMap sourceRow,
                          const Target& target) const {
  // A picture drawn at about its own size or larger takes most columns straight after the one
  // before; such runs of columns are copied a row piece at a time, which the compiler turns
  // into wide loads and stores. Shrunk pictures skip columns, and are drawn pixel by pixel.
  struct Run {
    std::uint32_t Destination;  // index into the drawn columns
    std::uint32_t Source;       // byte offset in the source row
    std::uint32_t Length;
  };
  std::vector<Run> runs;
  for (std::size_t i = 0; i < columns.size(); ++i) {
    const auto index = static_cast<std::uint32_t>(i);
    if (!runs.empty() && columns[i] == runs.back().Source + 4 * runs.back().Length) {
      ++runs.back().Length;
    } else {
      runs.push_back({index, columns[i], 1});
    }
    if (runs.size() * kPixelsPerRun > columns.size() + kPixelsPerRun) return false;
  }
  for (std::int64_t y = firstY; y < endY; ++y) {
    const std::uint8_t* source = bitmap_.Bits + sourceRow(y) * std::int64_t{bitmap_.BytesPerLine};
    auto* out = reinterpret_cast<std::uint32_t*>(target.Bits + y * target.BytesPerLine) + firstX;
    for (const Run& run : runs) {
      std::uint32_t* to = out + run.Destination;
      const std::uint8_t* from = source + run.Source;
      for (std::uint32_t k = 0; k < run.Length; ++k) {
        std::uint32_t pixel;
        std::memcpy(&pixel, from + 4 * std::size_t{k}, sizeof pixel);
        pixel |= kOpaque;
        if constexpr (Op == RasterOp::SrcCopy) {
          to[k] = pixel;
        } else if constexpr (Op == RasterOp::SrcAnd) {
          to[k] &= pixel;
        } else {
          to[k] |= pixel;
        }
      }
    }
  }
  return true;
}
