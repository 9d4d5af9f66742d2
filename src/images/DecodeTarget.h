#pragma once

#include <string>

// How large a picture must stay when it is decoded for one cell of a drawing: once it is cut to
// the layout's crop proportions (with the zoom of its adjustments) and turned, the cut must
// still cover CellWidth x CellHeight pixels of the output, short side against short side and
// long side against long side. The shifts of the adjustments move the cut without changing its
// size, so they play no part. A target without a cell asks for the whole picture.
struct DecodeTarget {
  int CellWidth = 0;
  int CellHeight = 0;
  // The proportions of the cut, as the layout's crop height and width; without them the whole
  // picture is drawn.
  double CropFirst = 0;
  double CropSecond = 0;
  int Zoom = 0;
  // Whether the cut keeps the cells' orientation whichever way the picture lies, as a class's
  // cut does so that nobody lies on their side. The orientation the picture is turned to is
  // known only once it is decoded, so the smaller of the cut along the picture and the cut
  // across it must cover the cell.
  bool EitherWay = false;

  bool WholePicture() const { return CellWidth <= 0 || CellHeight <= 0; }
  // The coarsest reduction, 8, 4, 2 or 1, of a width x height picture whose cut still covers
  // the cell.
  int ReductionFor(int width, int height) const;

  friend bool operator==(const DecodeTarget&, const DecodeTarget&) = default;
};

// One picture that a drawing is about to ask the image cache for, and how large it must stay.
struct PictureRequest {
  std::string Path;
  DecodeTarget Target;
};
