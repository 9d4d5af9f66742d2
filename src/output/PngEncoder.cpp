#include "output/PngEncoder.h"

#include <libdeflate.h>

#include <QImage>
#include <algorithm>
#include <cstdint>
#include <cstring>
#include <new>
#include <stdexcept>
#include <string>
#include <system_error>
#include <thread>
#include <vector>

#include "output/DeflatePieces.h"
#include "output/PdfImagePage.h"
#include "output/PieceCompression.h"

namespace {

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
  return PutBigEndian(chunk + 8 + size, libdeflate_crc32(0, chunk + 4, size + 4));
}

constexpr int kMaximumThreads = 8;

// Threads, besides the calling one, that share the pieces: one per processor in all.
int HelpersFor(int pieces, int busy) {
  const int processors = static_cast<int>(std::max(1u, std::thread::hardware_concurrency()));
  return std::max(0, std::min({pieces, processors, kMaximumThreads}) - 1 - busy);
}

// Runs the work on helpers as well as on the calling thread until no piece is left.
void CompressOnEveryCore(PieceCompression& work, int busy) {
  std::vector<std::jthread> helpers;
  for (int t = HelpersFor(work.Pieces(), busy); t > 0; --t) {
    // No thread to be had: the ones running take the remaining pieces.
    try {
      helpers.emplace_back([&work] { work.Work(); });
    } catch (const std::system_error&) {
      break;
    } catch (const std::bad_alloc&) {
      break;
    }
  }
  work.Work();
}

// The picture as the pieces take it: RGB32 or ARGB32, converted when it is neither (a null
// picture when there is not enough memory for that).
QImage ThirtyTwoBits(const QImage& source) {
  return source.format() == QImage::Format_RGB32 || source.format() == QImage::Format_ARGB32
             ? source
             : source.convertToFormat(QImage::Format_RGB32);
}

// The file around the compressed rows: the whole file is laid out in one buffer, the stream
// joined straight into its chunk.
QByteArray PngFile(const QImage& image, std::span<const DeflatePieces::Piece> pieces,
                   int dotsPerMetreX, int dotsPerMetreY) {
  const std::size_t streamSize = DeflatePieces::JoinedSize(pieces);
  constexpr std::size_t kSignature = 8;
  constexpr std::size_t kHeader = 13;
  constexpr std::size_t kDensity = 9;
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

  DeflatePieces::Join(pieces, at + 8);
  at = FinishChunk(at, "IDAT", streamSize);
  FinishChunk(at, "IEND", 0);
  return out;
}

// Runs an encoding and gives its file, or no bytes with the reason in error: whatever stops it,
// from memory running out to a check of the compressor's own, is a file that cannot be made
// rather than the end of the program.
template <typename Encoding>
QByteArray Caught(std::string& error, Encoding encoding) {
  try {
    return encoding();
  } catch (const std::bad_alloc&) {
    error = "not enough memory to encode the picture";
  } catch (const std::exception& failure) {
    error = std::string("the picture could not be compressed: ") + failure.what();
  }
  return {};
}

}  // namespace

QByteArray PngEncoder::Encode(const QImage& source, int dotsPerMetreX, int dotsPerMetreY,
                              std::string& error, int level) {
  return Encode(source, Png(dotsPerMetreX, dotsPerMetreY), error, level);
}

QByteArray PngEncoder::Encode(const QImage& source, const FileOfRows& file, std::string& error,
                              int level) {
  if (source.isNull()) {
    error = "the picture is empty";
    return {};
  }
  return Caught(error, [&] {
    const QImage image = ThirtyTwoBits(source);
    if (image.isNull()) throw std::bad_alloc();  // no memory for the converted picture
    PieceCompression work(image, level);
    work.FinishRows(image.height());
    CompressOnEveryCore(work, 0);
    return file(image, work.Result());
  });
}

PngEncoder::FileOfRows PngEncoder::Png(int dotsPerMetreX, int dotsPerMetreY) {
  return [=](const QImage& image, std::span<const DeflatePieces::Piece> pieces) {
    return PngFile(image, pieces, dotsPerMetreX, dotsPerMetreY);
  };
}

PngEncoder::FileOfRows PngEncoder::Pdf(double pageWidth, double pageHeight) {
  return [=](const QImage& image, std::span<const DeflatePieces::Piece> pieces) {
    return PdfImagePage::File(image.width(), image.height(), pieces, pageWidth, pageHeight);
  };
}

PngPipeline::PngPipeline(const QImage& drawing, int level)
    : level_(level),
      pixels_(drawing.constBits()),
      width_(drawing.width()),
      height_(drawing.height()),
      format_(drawing.format()) {
  if (drawing.format() != QImage::Format_RGB32 && drawing.format() != QImage::Format_ARGB32) {
    return;
  }
  // A view of the pixels rather than a copy of the image: a copy would share them, and the
  // drawing would then go on in pixels of its own.
  const QImage view(pixels_, width_, height_, drawing.bytesPerLine(), drawing.format());
  try {
    work_ = std::make_unique<PieceCompression>(view, level);
    early_ = std::jthread([this] { work_->Work(); });
  } catch (const std::bad_alloc&) {
    work_.reset();  // the rows are all compressed once the picture is drawn
  } catch (const std::system_error&) {
    work_.reset();
  }
}

PngPipeline::~PngPipeline() {
  if (work_) work_->Abandon();
}

void PngPipeline::FinishRows(int rows) {
  if (work_) work_->FinishRows(rows);
}

void PngPipeline::LetGo() {
  if (work_) work_->Abandon();
  early_ = {};
  work_.reset();
}

QByteArray PngPipeline::Finish(const QImage& image, int dotsPerMetreX, int dotsPerMetreY,
                               std::string& error) {
  return Finish(image, PngEncoder::Png(dotsPerMetreX, dotsPerMetreY), error);
}

QByteArray PngPipeline::Finish(const QImage& image, const PngEncoder::FileOfRows& file,
                               std::string& error) {
  const bool same = work_ && image.constBits() == pixels_ && image.width() == width_ &&
                    image.height() == height_ && image.format() == format_;
  if (!same) {
    // The drawing went on elsewhere: what was compressed early may not be the picture.
    LetGo();
    return PngEncoder::Encode(image, file, error, level_);
  }
  return Caught(error, [&] {
    work_->FinishRows(height_);
    // The early thread keeps taking pieces beside the others.
    CompressOnEveryCore(*work_, early_.joinable() ? 1 : 0);
    early_ = {};
    return file(image, work_->Result());
  });
}
