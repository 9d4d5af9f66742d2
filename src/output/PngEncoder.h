#pragma once

#include <QByteArray>

class QImage;

// Writes a picture as an 8-bit RGB PNG: the rows are filtered by RowFilter and compressed with
// libdeflate at a level that makes files about as small as zlib's default, in pieces on as many
// threads as there are processors (see DeflatePieces). The resolution goes into the file in
// pixels per metre.
class PngEncoder {
 public:
  // The file's bytes; empty for a null picture or when there is not enough memory to encode it.
  static QByteArray Encode(const QImage& image, int dotsPerMetreX, int dotsPerMetreY);

 private:
  static QByteArray EncodeOrThrow(const QImage& image, int dotsPerMetreX, int dotsPerMetreY);
};
