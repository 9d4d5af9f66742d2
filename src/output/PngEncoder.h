#pragma once

#include <QByteArray>

class QImage;

// Writes a picture as an 8-bit RGB PNG quickly: every row is filtered by the row above (which
// turns flat colour, frames and smooth backgrounds into runs of zeros and small numbers) and
// compressed by FastDeflate. Qt's own PNG writer tries every filter on every row and then runs
// zlib, which took most of the time of a render; a composite is mostly flat colour and
// photographs, where the one filter does nearly as well. The resolution goes into the file in
// pixels per metre.
class PngEncoder {
 public:
  // The file's bytes; empty for a null picture or when there is not enough memory to encode it.
  static QByteArray Encode(const QImage& image, int dotsPerMetreX, int dotsPerMetreY);

 private:
  static QByteArray EncodeOrThrow(const QImage& image, int dotsPerMetreX, int dotsPerMetreY);
};
