#pragma once

class QImage;

// The sample logo: a school crest (a shield with bands, an open book and a star, laurel branches
// and a ribbon) on a pure white ground, so that the logo's colour-keyed transparency shows.
class CrestPicture {
 public:
  static QImage Draw(int width, int height);
};
