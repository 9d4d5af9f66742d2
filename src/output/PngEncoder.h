#pragma once

#include <QByteArray>
#include <QImage>
#include <functional>
#include <memory>
#include <span>
#include <string>
#include <thread>

#include "output/DeflatePieces.h"

class PieceCompression;

// Writes a picture as an 8-bit RGB PNG: the rows are filtered by RowFilter and compressed with
// libdeflate at a level that makes files about as small as zlib's default, in pieces on as many
// threads as there are processors (see DeflatePieces). The resolution goes into the file in
// pixels per metre.
class PngEncoder {
 public:
  // On composites libdeflate's level 6 makes files within 4 % of zlib's default level in half
  // its time; level 5 makes them 8 % larger, and level 7 takes twice the time.
  static constexpr int DefaultLevel = 6;

  // The file's bytes at a libdeflate level (0 to 12). No bytes, with the reason in error, for a
  // null picture, when memory runs out or when the compressor fails a check of its own.
  static QByteArray Encode(const QImage& image, int dotsPerMetreX, int dotsPerMetreY,
                           std::string& error, int level = DefaultLevel);
  // Makes a file of the compressed rows of a picture: a PNG, or a PDF of one page of
  // pageWidth x pageHeight points that the picture fills (see PdfImagePage).
  using FileOfRows =
      std::function<QByteArray(const QImage&, std::span<const DeflatePieces::Piece>)>;
  // The picture's rows compressed as for the PNG, in the file that file makes of them.
  static QByteArray Encode(const QImage& image, const FileOfRows& file, std::string& error,
                           int level = DefaultLevel);
  static FileOfRows Png(int dotsPerMetreX, int dotsPerMetreY);
  static FileOfRows Pdf(double pageWidth, double pageHeight);
};

// Encodes a picture, as a PNG or a PDF, while it is still being drawn: the rows that the drawing
// reports finished are compressed on a thread of their own as it goes on, and the rest on every
// core once it is done. The file is the one PngEncoder makes of the finished picture.
class PngPipeline {
 public:
  // For the picture being drawn, whose pixels the drawing goes on writing in place, compressed
  // at the libdeflate level. A picture that is not 32-bit, or a pipeline without the memory or
  // thread for its work, compresses everything once the picture is drawn.
  explicit PngPipeline(const QImage& drawing, int level = PngEncoder::DefaultLevel);
  ~PngPipeline();
  PngPipeline(const PngPipeline&) = delete;
  PngPipeline& operator=(const PngPipeline&) = delete;

  // Rows from the top that no drawing will change any more; the count only grows.
  void FinishRows(int rows);
  // Stops reading the picture, returning once nothing of it is read any more: the drawing is to
  // change rows it said were finished. Everything is compressed once the picture is drawn.
  void LetGo();
  // The file of the finished picture, or no bytes with the reason in error as Encode gives
  // them. A picture whose pixels are not where the drawing's were is compressed anew as a whole.
  QByteArray Finish(const QImage& image, int dotsPerMetreX, int dotsPerMetreY, std::string& error);
  // The same for a file of another form made of the compressed rows, such as a PDF.
  QByteArray Finish(const QImage& image, const PngEncoder::FileOfRows& file, std::string& error);

 private:
  int level_;
  const std::uint8_t* pixels_;
  int width_;
  int height_;
  QImage::Format format_;
  std::unique_ptr<PieceCompression> work_;
  std::jthread early_;  // after work_, so that it is joined before the work goes
};
