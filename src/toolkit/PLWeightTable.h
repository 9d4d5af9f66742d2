#pragma once

#include <cstdint>
#include <span>
#include <vector>

class PLContribDef;

// The integer weights of one pass of the two-pass scale, from a source length to a destination
// length: for each destination index, the source window and its weights, which add up to
// exactly 256 (or are all 0 when every weight truncated to nothing). Zero weights at either
// end of a window are dropped, since they contribute nothing, so that the scaler's inner loops
// touch only the pixels that count.
class PLWeightTable {
 public:
  PLWeightTable(int sourceLength, int targetLength, const PLContribDef& contrib);

  int Length() const { return static_cast<int>(first_.size()); }
  // The source index of the first weight of destination index j.
  int First(int j) const { return first_[j]; }
  std::span<const std::uint32_t> Weights(int j) const {
    return std::span<const std::uint32_t>(weights_).subspan(offset_[j],
                                                            offset_[j + 1] - offset_[j]);
  }
  // The longest window of the table.
  int MaxWindow() const { return maxWindow_; }

 private:
  std::vector<int> first_;
  std::vector<std::size_t> offset_;
  std::vector<std::uint32_t> weights_;
  int maxWindow_ = 0;
};
