#pragma once

#include <cstddef>
#include <cstdint>

#include "platform/ZeroedBlock.h"

// A block of memory owned by a bitmap, every byte zero when made. New pixels start as zero so
// that bytes the toolkit never writes (the fourth byte of decoded pixels) are the same
// throughout a bitmap.
class PLBlock {
 public:
  PLBlock() = default;
  // Raises code 10 when the memory cannot be had.
  static PLBlock Zeroed(std::size_t bytes);

  std::uint8_t* get() const { return block_.get(); }
  std::size_t size() const { return block_.size(); }
  explicit operator bool() const { return static_cast<bool>(block_); }

 private:
  ZeroedBlock block_;
};
