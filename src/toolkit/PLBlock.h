#pragma once

#include <cstddef>
#include <cstdint>

// A block of memory owned by a bitmap, every byte zero when made. New pixels start as zero so
// that bytes the toolkit never writes (the fourth byte of decoded pixels) are the same
// throughout a bitmap.
class PLBlock {
 public:
  PLBlock() = default;
  // Raises code 10 when the memory cannot be had.
  static PLBlock Zeroed(std::size_t bytes);

  PLBlock(PLBlock&& other) noexcept;
  PLBlock& operator=(PLBlock&& other) noexcept;
  PLBlock(const PLBlock&) = delete;
  PLBlock& operator=(const PLBlock&) = delete;
  ~PLBlock();

  std::uint8_t* get() const { return data_; }
  std::size_t size() const { return size_; }
  explicit operator bool() const { return data_ != nullptr; }

 private:
  void Release() noexcept;

  std::uint8_t* data_ = nullptr;
  std::size_t size_ = 0;
  bool mapped_ = false;
};
