#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>
#include <vector>

struct libdeflate_compressor;
struct z_stream_s;

// Makes one zlib stream out of pieces of its input that are compressed separately, so that
// several threads can compress the pieces of one picture at the same time. libdeflate compresses
// each piece, but it only writes whole deflate streams whose last block carries the final mark,
// and it does not say where that block begins. zlib's inflate, run over the piece a block at a
// time, finds it; the mark is cleared and an empty stored block ends the piece on a byte
// boundary, so that the pieces joined in order form one stream. A piece cannot refer back into
// the piece before it, which costs a little size at each join.
class DeflatePieces {
 public:
  // A piece of the stream: its deflate bytes, and the Adler-32 sum and size of its input.
  struct Piece {
    std::vector<std::uint8_t> Bytes;
    std::uint32_t Adler = 1;
    std::size_t InputSize = 0;
  };

  // A compressor at a libdeflate level (0 to 12); one per thread. Throws std::invalid_argument
  // for another level, and std::bad_alloc when there is not enough memory for libdeflate's or
  // zlib's state.
  explicit DeflatePieces(int level);
  ~DeflatePieces();
  DeflatePieces(const DeflatePieces&) = delete;
  DeflatePieces& operator=(const DeflatePieces&) = delete;

  // Compresses the bytes as a piece of a stream; only the piece that ends the stream is last.
  // Throws std::bad_alloc when memory runs out.
  Piece Compress(std::span<const std::uint8_t> input, bool last);

  // The zlib stream of the pieces in order, the last of them made as last: JoinedSize says how
  // many bytes Join writes to out.
  static std::size_t JoinedSize(std::span<const Piece> pieces);
  static void Join(std::span<const Piece> pieces, std::uint8_t* out);

 private:
  void ContinueAfter(std::vector<std::uint8_t>& bytes);

  struct FreeCompressor {
    void operator()(libdeflate_compressor* compressor) const;
  };
  std::unique_ptr<libdeflate_compressor, FreeCompressor> compressor_;
  std::unique_ptr<z_stream_s> inflater_;
  // Room for libdeflate's output at its largest and for inflate's output, which is thrown away;
  // kept from piece to piece and left uninitialised.
  std::unique_ptr<std::uint8_t[]> output_;
  std::size_t outputCapacity_ = 0;
  std::unique_ptr<std::uint8_t[]> discard_;
};
