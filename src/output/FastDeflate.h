#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>
#include <vector>

// Deflate blocks made for speed rather than size: every block's only matches are runs of one
// byte (distance 1), coded with Huffman codes made for that block. Filtered picture rows are
// mostly small numbers and runs of zeros, where this comes close to zlib's fastest level in
// size at a fraction of its time. Blocks never refer to earlier blocks, so separate parts of one
// stream can be made at the same time by separate encoders and joined with Join.
class FastDeflate {
 public:
  FastDeflate();

  // Compresses the bytes as the next block; the block that ends the stream must say so. tokens
  // is working room that the caller keeps, so that the encoders one thread runs in turn share
  // it rather than each holding a copy as large as its input.
  void AddBlock(const std::uint8_t* data, std::size_t size, bool last,
                std::vector<std::uint16_t>& tokens);

  // The zlib stream of parts that compressed consecutive pieces of the input, in order; only
  // the last part's last block may be marked as the last. JoinedSize says how many bytes Join
  // writes to out.
  static std::size_t JoinedSize(std::span<const FastDeflate> parts);
  static void Join(std::span<const FastDeflate> parts, std::uint8_t* out);

 private:
  void PutBits(std::uint32_t bits, int count) {
    bitBuffer_ |= static_cast<std::uint64_t>(bits) << bitCount_;
    bitCount_ += count;
    if (bitCount_ >= 32) {
      for (int i = 0; i < 4; ++i) {
        stream_[used_++] = static_cast<std::uint8_t>(bitBuffer_ >> (8 * i));
      }
      bitBuffer_ >>= 32;
      bitCount_ -= 32;
    }
  }
  void Reserve(std::size_t bytes);
  void UpdateAdler(const std::uint8_t* data, std::size_t size);
  void WriteBlock(const std::uint16_t* tokens, std::size_t tokenCount,
                  const std::vector<std::uint32_t>& frequencies, bool last);
  void WriteTrees(const std::vector<std::uint8_t>& litLengths,
                  const std::vector<std::uint8_t>& distLengths);

  // Grown by hand without zeroing: only the bytes written are ever touched.
  std::unique_ptr<std::uint8_t[]> stream_;
  std::size_t capacity_ = 0;
  std::size_t used_ = 0;
  std::uint64_t bitBuffer_ = 0;
  int bitCount_ = 0;  // bits held in bitBuffer_, below 32 between calls
  std::uint32_t adlerA_ = 1;
  std::uint32_t adlerB_ = 0;
  std::uint64_t inputSize_ = 0;
};
