#pragma once

class QImage;

// The sample background: a quiet diagonal wash of colour with a faint lattice and a few soft
// glows, light enough that frames and names drawn over it stay readable.
class BackgroundPicture {
 public:
  static QImage Draw(int width, int height);
};
