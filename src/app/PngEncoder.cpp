#include "app/PngEncoder.h"

#include <QImage>
#include <algorithm>
#include <array>
#include <cstdint>
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

  // The rows are filtered and compressed a piece at a time, so no second copy of the whole
  // picture is ever held.
  FastDeflate deflate;
  const std::size_t rowBytes = 1 + 3 * static_cast<std::size_t>(image.width());
  std::vector<std::uint8_t> piece(rowBytes * kRowsPerPiece);
  for (int top = 0; top < image.height(); top += kRowsPerPiece) {
    const int rows = std::min(kRowsPerPiece, image.height() - top);
    for (int i = 0; i < rows; ++i) FilterRow(image, top + i, piece.data() + rowBytes * i);
    deflate.AddPiece(piece.data(), rowBytes * static_cast<std::size_t>(rows),
                     top + rows == image.height());
  }
  const std::span<const std::uint8_t> stream = deflate.Stream();
  AppendChunk(out, "IDAT", reinterpret_cast<const char*>(stream.data()),
              static_cast<qsizetype>(stream.size()));
  AppendChunk(out, "IEND", nullptr, 0);
  return out;
}
