#include "output/DeflatePieces.h"

#include <libdeflate.h>
#include <zlib.h>

#include <climits>
#include <cstring>
#include <new>
#include <stdexcept>
#include <string>

namespace {

// inflate's output is only looked at for where blocks end, so it goes round one small buffer.
constexpr std::size_t kDiscardSize = 64 * 1024;

// zlib's header for a 32 KiB window and the default level (the level is only a hint to readers).
constexpr std::uint8_t kZlibHeader[2] = {0x78, 0x9C};

// The length and its complement of an empty stored block; the block's three header bits and its
// padding to the byte boundary come before them.
constexpr std::uint8_t kEmptyStoredLength[4] = {0x00, 0x00, 0xFF, 0xFF};

// libdeflate's levels: 0 stores the input as it is, 12 compresses slowest and smallest.
constexpr int kLowestLevel = 0;
constexpr int kHighestLevel = 12;

constexpr int kBetweenBlocks = 128;  // inflate stopped just after a block's end
constexpr int kInFinalBlock = 64;    // the block inflate is in (or just finished) is the final one
constexpr int kUnusedBits = 7;       // bits of the last byte taken that inflate has not used

}  // namespace

void DeflatePieces::FreeCompressor::operator()(libdeflate_compressor* compressor) const {
  libdeflate_free_compressor(compressor);
}

DeflatePieces::DeflatePieces(int level)
    : compressor_(libdeflate_alloc_compressor(level)),
      inflater_(std::make_unique<z_stream_s>()),
      discard_(new std::uint8_t[kDiscardSize]) {
  // libdeflate gives no compressor both for a level it does not have and for want of memory.
  if (level < kLowestLevel || level > kHighestLevel) {
    throw std::invalid_argument("libdeflate has no compression level " + std::to_string(level));
  }
  if (!compressor_) throw std::bad_alloc();
  const int status = inflateInit2(inflater_.get(), -MAX_WBITS);  // raw deflate, no zlib frame
  if (status == Z_MEM_ERROR) throw std::bad_alloc();
  if (status != Z_OK) throw std::logic_error("zlib cannot start an inflater");
}

DeflatePieces::~DeflatePieces() { inflateEnd(inflater_.get()); }

DeflatePieces::Piece DeflatePieces::Compress(std::span<const std::uint8_t> input, bool last) {
  const std::size_t bound = libdeflate_deflate_compress_bound(compressor_.get(), input.size());
  if (bound > outputCapacity_) {
    // The old room is given back before the larger one is taken.
    output_.reset();
    outputCapacity_ = 0;
    output_.reset(new std::uint8_t[bound]);
    outputCapacity_ = bound;
  }
  const std::size_t size = libdeflate_deflate_compress(compressor_.get(), input.data(),
                                                       input.size(), output_.get(), bound);
  if (size == 0) throw std::logic_error("libdeflate's output did not fit its own bound");
  Piece piece;
  piece.Bytes.reserve(size + 1 + sizeof kEmptyStoredLength);
  piece.Bytes.assign(output_.get(), output_.get() + size);
  piece.Adler = libdeflate_adler32(1, input.data(), input.size());
  piece.InputSize = input.size();
  if (!last) ContinueAfter(piece.Bytes);
  return piece;
}

// Turns a whole raw deflate stream into one that another piece can continue: the final mark of
// its last block is cleared and an empty stored block brings it to a byte boundary.
void DeflatePieces::ContinueAfter(std::vector<std::uint8_t>& bytes) {
  if (bytes.size() > UINT_MAX) throw std::length_error("a deflate piece of 4 GiB or more");
  z_stream_s& stream = *inflater_;
  if (inflateReset(&stream) != Z_OK) throw std::logic_error("zlib cannot reset its inflater");
  stream.next_in = bytes.data();
  stream.avail_in = static_cast<uInt>(bytes.size());
  // Bit positions in the piece, counted from its first byte's lowest bit as deflate counts them.
  std::size_t finalHeader = 0;
  std::size_t end = 0;
  for (;;) {
    stream.next_out = discard_.get();
    stream.avail_out = kDiscardSize;
    const int status = inflate(&stream, Z_BLOCK);
    if (status == Z_MEM_ERROR) throw std::bad_alloc();
    if (status == Z_STREAM_END) break;
    if (status != Z_OK) throw std::logic_error("zlib cannot read libdeflate's stream");
    if ((stream.data_type & kBetweenBlocks) == 0) continue;  // stopped for want of output room
    const std::size_t position = 8 * (bytes.size() - stream.avail_in) -
                                 static_cast<std::size_t>(stream.data_type & kUnusedBits);
    if ((stream.data_type & kInFinalBlock) != 0) {
      end = position;
    } else {
      finalHeader = position;  // where the next block, perhaps the final one, begins
    }
  }
  const std::uint8_t finalMark = static_cast<std::uint8_t>(1u << (finalHeader % 8));
  if (end <= finalHeader || (bytes[finalHeader / 8] & finalMark) == 0) {
    throw std::logic_error("no final block found in libdeflate's stream");
  }
  bytes[finalHeader / 8] &= static_cast<std::uint8_t>(~finalMark);
  // The stored block's header (three zero bits) begins where the final block ended: in the
  // padding of its last byte, which is cleared, or in a byte of its own when fewer than three
  // bits of padding are left.
  bytes.resize((end + 7) / 8);
  const std::size_t usedBits = end % 8;
  if (usedBits != 0) bytes.back() &= static_cast<std::uint8_t>((1u << usedBits) - 1);
  if (usedBits == 0 || usedBits > 5) bytes.push_back(0);
  bytes.insert(bytes.end(), std::begin(kEmptyStoredLength), std::end(kEmptyStoredLength));
}

std::size_t DeflatePieces::JoinedSize(std::span<const Piece> pieces) {
  std::size_t size = sizeof kZlibHeader + 4;
  for (const Piece& piece : pieces) size += piece.Bytes.size();
  return size;
}

void DeflatePieces::Join(std::span<const Piece> pieces, std::uint8_t* out) {
  std::memcpy(out, kZlibHeader, sizeof kZlibHeader);
  out += sizeof kZlibHeader;
  uLong adler = 1;
  for (const Piece& piece : pieces) {
    std::memcpy(out, piece.Bytes.data(), piece.Bytes.size());
    out += piece.Bytes.size();
    adler = adler32_combine(adler, piece.Adler, static_cast<z_off_t>(piece.InputSize));
  }
  for (int shift = 24; shift >= 0; shift -= 8) *out++ = static_cast<std::uint8_t>(adler >> shift);
}
