#pragma once

#include <cstddef>
#include <cstdint>

// A block of memory for pixels, every byte zero when made. Blocks from a quarter of a megabyte
// on are mapped straight from the system, which hands out zeroed pages, made all at once rather
// than by a fault per 4 KiB page on the first write, which was most of what making a picture
// cost; from 2 MiB on they ask for huge pages where the system has them. Smaller blocks, and
// every block under AddressSanitizer so that overruns are still caught, come from the allocator.
class ZeroedBlock {
 public:
  ZeroedBlock() = default;
  // An empty block when the memory cannot be had.
  static ZeroedBlock Allocate(std::size_t bytes);

  ZeroedBlock(ZeroedBlock&& other) noexcept;
  ZeroedBlock& operator=(ZeroedBlock&& other) noexcept;
  ZeroedBlock(const ZeroedBlock&) = delete;
  ZeroedBlock& operator=(const ZeroedBlock&) = delete;
  ~ZeroedBlock();

  std::uint8_t* get() const { return data_; }
  std::size_t size() const { return size_; }
  explicit operator bool() const { return data_ != nullptr; }

 private:
  void Release() noexcept;

  std::uint8_t* data_ = nullptr;
  std::size_t size_ = 0;
  std::size_t mappedSize_ = 0;  // the length mapped from the system, 0 for allocator memory
};
