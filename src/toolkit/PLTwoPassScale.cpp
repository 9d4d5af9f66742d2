#include "toolkit/PLTwoPassScale.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <span>
#include <vector>

#include "toolkit/PLBmp.h"
#include "toolkit/PLWeightTable.h"

namespace {

// One row of the horizontal pass: each destination pixel from its window of source pixels.
//
// Two bytes of a pixel are summed at once in the two 16-bit halves of a 32-bit word: a sum
// never exceeds 256 x 255 + 128, so neither half can carry into the other. All four bytes are
// filtered alike, so it does not matter which bytes land in which word.
void ScaleRow(const std::uint8_t* source, const PLWeightTable& table, std::uint8_t* target) {
  constexpr std::uint32_t kLanes = 0x00FF00FF;
  constexpr std::uint32_t kHalf = 0x00800080;  // 128 in each half, to round
  for (int j = 0; j < table.Length(); ++j, target += 4) {
    const std::span<const std::uint32_t> weights = table.Weights(j);
    const std::uint8_t* pixel = source + 4 * static_cast<std::size_t>(table.First(j));
    if (weights.size() == 1) {
      // A lone weight is 256: the pixel is copied.
      std::memcpy(target, pixel, 4);
      continue;
    }
    std::uint32_t even = kHalf;
    std::uint32_t odd = kHalf;
    for (const std::uint32_t weight : weights) {
      std::uint32_t value;
      std::memcpy(&value, pixel, 4);
      even += weight * (value & kLanes);
      odd += weight * ((value >> 8) & kLanes);
      pixel += 4;
    }
    const std::uint32_t result = ((even >> 8) & kLanes) | (odd & ~kLanes);
    std::memcpy(target, &result, 4);
  }
}

// The rows of the horizontal pass that the vertical pass is working on. Source row r lives in
// slot r mod the longest vertical window, so every row of one window is present at once and,
// as the windows move down the picture, each row is usually computed only once. This keeps the
// intermediate picture a few rows high instead of as high as the source.
class RowCache {
 public:
  RowCache(const PLBmp& source, const PLWeightTable& horizontal, int slots)
      : source_(source),
        horizontal_(horizontal),
        rowBytes_(4 * static_cast<std::size_t>(horizontal.Length())),
        rows_(static_cast<std::size_t>(slots) * rowBytes_),
        held_(static_cast<std::size_t>(slots), -1) {}

  const std::uint8_t* Row(int sourceRow) {
    const std::size_t slot = static_cast<std::size_t>(sourceRow) % held_.size();
    std::uint8_t* row = rows_.data() + slot * rowBytes_;
    if (held_[slot] != sourceRow) {
      ScaleRow(source_.RowTable()[sourceRow], horizontal_, row);
      held_[slot] = sourceRow;
    }
    return row;
  }

 private:
  const PLBmp& source_;
  const PLWeightTable& horizontal_;
  std::size_t rowBytes_;
  std::vector<std::uint8_t> rows_;
  std::vector<int> held_;
};

}  // namespace

void PLTwoPassScale::Scale(const PLBmp& source, PLBmp& target) const {
  const PLWeightTable horizontal(source.Width(), target.Width(), contrib_);
  const PLWeightTable vertical(source.Height(), target.Height(), contrib_);
  if (vertical.MaxWindow() == 0 || target.Width() == 0) return;  // the zeroed target stands

  RowCache cache(source, horizontal, vertical.MaxWindow());
  const std::size_t values = 4 * static_cast<std::size_t>(target.Width());
  // The sums fit 16 bits: the weights add up to 256, so no sum exceeds 256 x 255 + 128.
  std::vector<std::uint16_t> sums(values);
  for (int y = 0; y < target.Height(); ++y) {
    const std::span<const std::uint32_t> weights = vertical.Weights(y);
    std::uint8_t* out = target.RowTable()[y];
    if (weights.empty()) continue;
    if (weights.size() == 1) {
      std::memcpy(out, cache.Row(vertical.First(y)), values);
      continue;
    }
    std::fill(sums.begin(), sums.end(), std::uint16_t{128});
    for (std::size_t t = 0; t < weights.size(); ++t) {
      const std::uint8_t* row = cache.Row(vertical.First(y) + static_cast<int>(t));
      const auto weight = static_cast<std::uint16_t>(weights[t]);
      for (std::size_t i = 0; i < values; ++i) {
        sums[i] = static_cast<std::uint16_t>(sums[i] + weight * row[i]);
      }
    }
    for (std::size_t i = 0; i < values; ++i) out[i] = static_cast<std::uint8_t>(sums[i] >> 8);
  }
}
