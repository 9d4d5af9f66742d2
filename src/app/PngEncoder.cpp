#include "app/PngEncoder.h"

#include <QImage>
#include <algorithm>
#include <array>
#include <cstdint>
#include <system_error>
#include <thread>
#include <vector>

#include "app/FastDeflate.h"

namespace {

const std::array<std::uint32_t, 256>& CrcTable() {
  static const std::array<std::uint32_t, 256> table = [] {
    std::array<std::uint32_t, 256> entries{};
    for (std::uint32_t n = 0; n < 256; ++n) {
      std::uint32_t c = n;
      for (int k = 0; k < 8; ++k) c = (c & 1u) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
      entries[n] = c;
    }
    return entries;
  }();
  return table;
}

std::uint32_t Crc(const char* data, qsizetype size, std::uint32_t crc = 0xFFFFFFFFu) {
  const auto& table = CrcTable();
  for (qsizetype i = 0; i < size; ++i) {
    crc = table[(crc ^ static_cast<std::uint8_t>(data[i])) & 0xFFu] ^ (crc >> 8);
  }
  return crc;
}

void AppendBigEndian(QByteArray& out, std::uint32_t value) {
  out.append(static_cast<char>(value >> 24));
  out.append(static_cast<char>(value >> 16));
  out.append(static_cast<char>(value >> 8));
  out.append(static_cast<char>(value));
}

void AppendChunk(QByteArray& out, const char type[4], const char* data, qsizetype size) {
  AppendBigEndian(out, static_cast<std::uint32_t>(size));
  const qsizetype start = out.size();
  out.append(type, 4);
  out.append(data, size);
  AppendBigEndian(out, Crc(out.constData() + start, size + 4) ^ 0xFFFFFFFFu);
}

constexpr int kRowsPerPiece = 64;
// Parts are only worth a thread of their own with a few pieces each.
constexpr int kMinimumPiecesPerPart = 4;
constexpr int kMaximumParts = 8;
constexpr std::uint8_t kFilterUp = 2;

// One row as the PNG stream holds it before compression: the filter byte, then red, green and
// blue of each pixel minus those of the pixel above (the row above the first counts as zero).
void FilterRow(const QImage& image, int y, std::uint8_t* out) {
  const auto* row = reinterpret_cast<const QRgb*>(image.constScanLine(y));
  const auto* above = y > 0 ? reinterpret_cast<const QRgb*>(image.constScanLine(y - 1)) : nullptr;
  *out++ = kFilterUp;
  const int width = image.width();
  for (int x = 0; x < width; ++x) {
    const QRgb pixel = row[x];
    const QRgb upper = above ? above[x] : 0u;
    *out++ = static_cast<std::uint8_t>(qRed(pixel) - qRed(upper));
    *out++ = static_cast<std::uint8_t>(qGreen(pixel) - qGreen(upper));
    *out++ = static_cast<std::uint8_t>(qBlue(pixel) - qBlue(upper));
  }
}

// The filtered rows as a zlib stream. Pieces of rows are compressed as blocks of their own,
// so the picture is cut into parts that are compressed side by side, one per processor; each
// part filters only its own rows, a piece at a time, so no second copy of the whole picture is
// ever held.
std::vector<std::uint8_t> CompressRows(const QImage& image) {
  const int height = image.height();
  const int pieces = std::max(1, (height + kRowsPerPiece - 1) / kRowsPerPiece);
  const int processors = static_cast<int>(std::max(1u, std::thread::hardware_concurrency()));
  const int partCount =
      std::clamp(pieces / kMinimumPiecesPerPart, 1, std::min(processors, kMaximumParts));
  std::vector<FastDeflate> parts(static_cast<std::size_t>(partCount));
  const std::size_t rowBytes = 1 + 3 * static_cast<std::size_t>(image.width());

  const auto compressPart = [&](int part) {
    std::vector<std::uint8_t> piece(rowBytes * kRowsPerPiece);
    const int firstPiece = pieces * part / partCount;
    const int endPiece = pieces * (part + 1) / partCount;
    for (int p = firstPiece; p < endPiece; ++p) {
      const int top = p * kRowsPerPiece;
      const int rows = std::clamp(height - top, 0, kRowsPerPiece);
      for (int i = 0; i < rows; ++i) FilterRow(image, top + i, piece.data() + rowBytes * i);
      parts[static_cast<std::size_t>(part)].AddBlock(
          piece.data(), rowBytes * static_cast<std::size_t>(rows), p == pieces - 1);
    }
  };
  std::vector<std::thread> threads;
  for (int part = 1; part < partCount; ++part) {
    try {
      threads.emplace_back(compressPart, part);
    } catch (const std::system_error&) {
      compressPart(part);  // no thread to be had: this one does the part itself
    }
  }
  compressPart(0);
  for (std::thread& thread : threads) thread.join();
  return FastDeflate::Join(parts);
}

}  // namespace

QByteArray PngEncoder::Encode(const QImage& source, int dotsPerMetreX, int dotsPerMetreY) {
  const QImage image =
      source.format() == QImage::Format_RGB32 || source.format() == QImage::Format_ARGB32
          ? source
          : source.convertToFormat(QImage::Format_RGB32);
  QByteArray out("\x89PNG\r\n\x1a\n", 8);

  QByteArray header;
  AppendBigEndian(header, static_cast<std::uint32_t>(image.width()));
  AppendBigEndian(header, static_cast<std::uint32_t>(image.height()));
  header.append("\x08\x02\x00\x00\x00", 5);  // 8 bits, RGB, deflate, adaptive filters, no interlace
  AppendChunk(out, "IHDR", header.constData(), header.size());

  QByteArray density;
  AppendBigEndian(density, static_cast<std::uint32_t>(std::max(dotsPerMetreX, 0)));
  AppendBigEndian(density, static_cast<std::uint32_t>(std::max(dotsPerMetreY, 0)));
  density.append('\x01');  // per metre
  AppendChunk(out, "pHYs", density.constData(), density.size());

  const std::vector<std::uint8_t> stream = CompressRows(image);
  AppendChunk(out, "IDAT", reinterpret_cast<const char*>(stream.data()),
              static_cast<qsizetype>(stream.size()));
  AppendChunk(out, "IEND", nullptr, 0);
  return out;
}
