#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>
#include <vector>

// A zlib stream made for speed rather than size, fed in pieces: every piece becomes one deflate
// block whose only matches are runs of one byte (distance 1), coded with Huffman codes made for
// that piece. Filtered picture rows are mostly small numbers and runs of zeros, where this
// comes close to zlib's fastest level in size at a fraction of its time.
class FastDeflate {
 public:
  FastDeflate();

  // Compresses the bytes as the next block; the last piece must say so.
  void AddPiece(const std::uint8_t* data, std::size_t size, bool last);
  // The whole stream once the last piece was added.
  std::span<const std::uint8_t> Stream() const { return {stream_.get(), used_}; }

 private:
  void PutBits(std::uint32_t bits, int count) {
    bitBuffer_ |= static_cast<std::uint64_t>(bits) << bitCount_;
    bitCount_ += count;
    if (bitCount_ >= 32) {
      for (int i = 0; i < 4; ++i)
        stream_[used_++] = static_cast<std::uint8_t>(bitBuffer_ >> (8 * i));
      bitBuffer_ >>= 32;
      bitCount_ -= 32;
    }
  }
  void FlushBits();
  void WriteBlock(std::size_t tokenCount, bool last);
  void WriteTrees(const std::vector<std::uint8_t>& litLengths,
                  const std::vector<std::uint8_t>& distLengths);

  // Grown by hand without zeroing: only the bytes written are ever touched.
  std::unique_ptr<std::uint8_t[]> stream_;
  std::size_t capacity_ = 0;
  std::size_t used_ = 0;
  std::uint64_t bitBuffer_ = 0;
  int bitCount_ = 0;
  std::uint32_t adlerA_ = 1;
  std::uint32_t adlerB_ = 0;
  // 0..255 a literal, 257 + n a run of n + 3 copies of the byte before.
  std::vector<std::uint16_t> tokens_;
};
