#include "output/PngEncoder.h"

#include <QImage>
#include <algorithm>
#include <array>
#include <atomic>
#include <cstdint>
#include <cstring>
#include <new>
#include <system_error>
#include <thread>
#include <vector>

#include "output/FastDeflate.h"

namespace {

// CRC-32 tables for eight bytes at a time: table k gives the CRC of a byte followed by k zero
// bytes, so eight bytes need eight look-ups that do not wait on each other.
using CrcTables = std::array<std::array<std::uint32_t, 256>, 8>;

const CrcTables& Tables() {
  static const CrcTables tables = [] {
    CrcTables made{};
    for (std::uint32_t n = 0; n < 256; ++n) {
      std::uint32_t c = n;
      for (int k = 0; k < 8; ++k) c = (c & 1u) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
      made[0][n] = c;
    }
    for (std::size_t k = 1; k < made.size(); ++k) {
      for (std::size_t n = 0; n < 256; ++n) {
        made[k][n] = made[0][made[k - 1][n] & 0xFFu] ^ (made[k - 1][n] >> 8);
      }
    }
    return made;
  }();
  return tables;
}

std::uint32_t Crc(const std::uint8_t* data, std::size_t size) {
  const CrcTables& t = Tables();
  std::uint32_t crc = 0xFFFFFFFFu;
  std::size_t i = 0;
  for (; i + 8 <= size; i += 8) {
    const std::uint32_t low =
        crc ^ (std::uint32_t{data[i]} | std::uint32_t{data[i + 1]} << 8 |
               std::uint32_t{data[i + 2]} << 16 | std::uint32_t{data[i + 3]} << 24);
    crc = t[7][low & 0xFFu] ^ t[6][(low >> 8) & 0xFFu] ^ t[5][(low >> 16) & 0xFFu] ^
          t[4][low >> 24] ^ t[3][data[i + 4]] ^ t[2][data[i + 5]] ^ t[1][data[i + 6]] ^
          t[0][data[i + 7]];
  }
  for (; i < size; ++i) crc = t[0][(crc ^ data[i]) & 0xFFu] ^ (crc >> 8);
  return crc ^ 0xFFFFFFFFu;
}

std::uint8_t* PutBigEndian(std::uint8_t* out, std::uint32_t value) {
  for (int shift = 24; shift >= 0; shift -= 8) *out++ = static_cast<std::uint8_t>(value >> shift);
  return out;
}

constexpr std::size_t kChunkFrame = 12;  // length, type and CRC around a chunk's data

// Writes a chunk whose data the caller has already put in place after its length and type;
// returns where the next chunk starts.
std::uint8_t* FinishChunk(std::uint8_t* chunk, const char type[4], std::size_t size) {
  PutBigEndian(chunk, static_cast<std::uint32_t>(size));
  std::memcpy(chunk + 4, type, 4);
  return PutBigEndian(chunk + 8 + size, Crc(chunk + 4, size + 4));
}

constexpr int kRowsPerPiece = 64;
constexpr int kMaximumThreads = 8;
constexpr std::uint8_t kFilterUp = 2;

// One row as the PNG stream holds it before compression: the filter byte, then red, green and
// blue of each pixel minus those of the pixel above (the row above the first counts as zero).
// The three differences of a pixel are taken at once, as bytes of one word that do not borrow
// from each other.
void FilterRow(const QImage& image, int y, std::uint8_t* out) {
  constexpr std::uint32_t kHigh = 0x80808080u;
  const auto* row = reinterpret_cast<const QRgb*>(image.constScanLine(y));
  const auto* above = y > 0 ? reinterpret_cast<const QRgb*>(image.constScanLine(y - 1)) : nullptr;
  *out++ = kFilterUp;
  const int width = image.width();
  for (int x = 0; x < width; ++x) {
    const std::uint32_t pixel = row[x];
    const std::uint32_t upper = above ? above[x] : 0u;
    const std::uint32_t difference =
        ((pixel | kHigh) - (upper & ~kHigh)) ^ ((pixel ^ ~upper) & kHigh);
    *out++ = static_cast<std::uint8_t>(difference >> 16);
    *out++ = static_cast<std::uint8_t>(difference >> 8);
    *out++ = static_cast<std::uint8_t>(difference);
  }
}

// The filtered rows compressed piece by piece, every piece of rows a deflate block of its own.
// Blocks do not refer to each other, so the pieces are compressed side by side, one thread per
// processor, each thread taking the next piece not yet taken: parts of a picture differ in how
// much work they are (a photograph against flat colour), and a processor that other work holds
// up for a while simply takes fewer pieces. Only a piece's rows are filtered at a time, so no
// second copy of the whole picture is ever held. Raises std::bad_alloc, once every thread has
// stopped, when one of them ran out of memory.
std::vector<FastDeflate> CompressPieces(const QImage& image) {
  const int height = image.height();
  const int pieces = std::max(1, (height + kRowsPerPiece - 1) / kRowsPerPiece);
  const int processors = static_cast<int>(std::max(1u, std::thread::hardware_concurrency()));
  const int threadCount = std::clamp(pieces, 1, std::min(processors, kMaximumThreads));
  std::vector<FastDeflate> compressed(static_cast<std::size_t>(pieces));
  const std::size_t rowBytes = 1 + 3 * static_cast<std::size_t>(image.width());
  std::atomic<int> next{0};
  std::atomic<bool> outOfMemory{false};

  const auto compress = [&] {
    // An exception must not leave a thread: it would end the program.
    try {
      std::vector<std::uint8_t> piece(rowBytes * kRowsPerPiece);
      std::vector<std::uint16_t> tokens;
      for (int p = next++; p < pieces && !outOfMemory; p = next++) {
        const int top = p * kRowsPerPiece;
        const int rows = std::clamp(height - top, 0, kRowsPerPiece);
        for (int i = 0; i < rows; ++i) FilterRow(image, top + i, piece.data() + rowBytes * i);
        compressed[static_cast<std::size_t>(p)].AddBlock(
            piece.data(), rowBytes * static_cast<std::size_t>(rows), p == pieces - 1, tokens);
      }
    } catch (const std::bad_alloc&) {
      outOfMemory = true;  // the other threads stop at their next piece
    }
  };
  std::vector<std::thread> threads;
  threads.reserve(static_cast<std::size_t>(threadCount - 1));
  for (int t = 1; t < threadCount; ++t) {
    // No thread to be had: the ones running take the remaining pieces.
    try {
      threads.emplace_back(compress);
    } catch (const std::system_error&) {
      break;
    } catch (const std::bad_alloc&) {
      break;
    }
  }
  compress();
  for (std::thread& thread : threads) thread.join();
  if (outOfMemory) throw std::bad_alloc();
  return compressed;
}

}  // namespace

QByteArray PngEncoder::Encode(const QImage& source, int dotsPerMetreX, int dotsPerMetreY) {
  try {
    return EncodeOrThrow(source, dotsPerMetreX, dotsPerMetreY);
  } catch (const std::bad_alloc&) {
    return {};
  }
}

QByteArray PngEncoder::EncodeOrThrow(const QImage& source, int dotsPerMetreX, int dotsPerMetreY) {
  const QImage image =
      source.format() == QImage::Format_RGB32 || source.format() == QImage::Format_ARGB32
          ? source
          : source.convertToFormat(QImage::Format_RGB32);
  // A conversion without the memory for it gives a null image.
  if (image.isNull()) return {};
  const std::vector<FastDeflate> pieces = CompressPieces(image);
  const std::size_t streamSize = FastDeflate::JoinedSize(pieces);
  constexpr std::size_t kSignature = 8;
  constexpr std::size_t kHeader = 13;
  constexpr std::size_t kDensity = 9;
  // The whole file is laid out in one buffer: the stream is joined straight into its chunk.
  QByteArray out(
      static_cast<qsizetype>(kSignature + kHeader + kDensity + streamSize + 4 * kChunkFrame),
      Qt::Uninitialized);
  auto* at = reinterpret_cast<std::uint8_t*>(out.data());
  std::memcpy(at, "\x89PNG\r\n\x1a\n", kSignature);
  at += kSignature;

  std::uint8_t* data = PutBigEndian(at + 8, static_cast<std::uint32_t>(image.width()));
  data = PutBigEndian(data, static_cast<std::uint32_t>(image.height()));
  // 8 bits, RGB, deflate, adaptive filters, no interlace.
  std::memcpy(data, "\x08\x02\x00\x00\x00", 5);
  at = FinishChunk(at, "IHDR", kHeader);

  data = PutBigEndian(at + 8, static_cast<std::uint32_t>(std::max(dotsPerMetreX, 0)));
  data = PutBigEndian(data, static_cast<std::uint32_t>(std::max(dotsPerMetreY, 0)));
  *data = 1;  // per metre
  at = FinishChunk(at, "pHYs", kDensity);

  FastDeflate::Join(pieces, at + 8);
  at = FinishChunk(at, "IDAT", streamSize);
  FinishChunk(at, "IEND", 0);
  return out;
}
