#include "toolkit/PLWeightTable.h"

#include <algorithm>
#include <cmath>

#include "toolkit/PLContribDef.h"

PLWeightTable::PLWeightTable(int sourceLength, int targetLength, const PLContribDef& contrib)
    : first_(static_cast<std::size_t>(std::max(targetLength, 0))), offset_(first_.size() + 1) {
  if (sourceLength <= 0 || targetLength <= 0) return;
  const std::int64_t n = sourceLength;
  const double scale = static_cast<double>(targetLength) / sourceLength;
  // When shrinking, the window widens so that every source pixel contributes, and the weights
  // flatten by the same factor.
  double width = contrib.HalfWidth();
  double factor = 1.0;
  if (scale < 1.0) {
    width /= scale;
    factor = scale;
  }
  const std::int64_t limit = 2 * static_cast<std::int64_t>(std::ceil(width)) + 1;

  std::vector<std::int64_t> raw;
  for (int j = 0; j < targetLength; ++j) {
    const double centre = (j + 0.5) / scale - 0.5;
    std::int64_t left =
        std::max<std::int64_t>(0, static_cast<std::int64_t>(std::floor(centre - width)));
    std::int64_t right = std::min(n - 1, static_cast<std::int64_t>(std::ceil(centre + width)));
    if (right - left + 1 > limit) {
      if (left < n) {
        ++left;
      } else {
        --right;
      }
    }
    raw.clear();
    std::int64_t sum = 0;
    for (std::int64_t i = left; i <= right; ++i) {
      const auto weight = static_cast<std::int64_t>(
          contrib.Weight((centre - static_cast<double>(i)) * factor) * factor * 256.0);
      raw.push_back(weight);
      sum += weight;
    }
    // Normalising in integers makes the weights add up to exactly 256, so a flat area keeps its
    // value and no result can leave the byte range.
    if (sum > 0) {
      std::int64_t others = 0;
      for (std::size_t t = 0; t + 1 < raw.size(); ++t) {
        raw[t] = raw[t] * 256 / sum;
        others += raw[t];
      }
      raw.back() = 256 - others;
    }
    std::size_t begin = 0;
    std::size_t end = raw.size();
    while (begin < end && raw[begin] == 0) ++begin;
    while (end > begin && raw[end - 1] == 0) --end;
    first_[j] = static_cast<int>(begin == end ? left : left + static_cast<std::int64_t>(begin));
    for (std::size_t t = begin; t < end; ++t)
      weights_.push_back(static_cast<std::uint32_t>(raw[t]));
    offset_[j + 1] = weights_.size();
    maxWindow_ = std::max(maxWindow_, static_cast<int>(end - begin));
  }
}
