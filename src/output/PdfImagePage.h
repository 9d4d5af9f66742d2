#pragma once

#include <QByteArray>
#include <span>

#include "output/DeflatePieces.h"

// A PDF of one page filled by one picture, whose rows come as PngEncoder compresses them: 8-bit
// RGB rows, each behind its PNG filter type, in one zlib stream. A PDF image reads exactly that
// under the PNG predictors, so the composite goes into the file losslessly without being
// converted or compressed a second time, and its compression can run while it is drawn.
class PdfImagePage {
 public:
  // The file of a width x height picture on a page of pageWidth x pageHeight points (1/72 inch),
  // its Creator named in the document's information. Throws std::bad_alloc.
  static QByteArray File(int width, int height, std::span<const DeflatePieces::Piece> rows,
                         double pageWidth, double pageHeight);
};
