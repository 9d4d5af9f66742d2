#pragma once

class QImage;

// The sample portrait: a drawn head-and-shoulders figure in front of a mottled studio backdrop,
// as a school photographer would take it, so that the preview shows a believable composite
// without anybody's real photograph.
class PortraitPicture {
 public:
  static QImage Draw(int width, int height);
};
