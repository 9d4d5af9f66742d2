#pragma once

#include <string>

class QImage;

// Writes a picture as a baseline JFIF file with libjpeg. The output depends only on the pixels
// and the settings, so a build makes the same bytes every time.
class JpegWriter {
 public:
  // Quality 1 to 100; full-resolution colour keeps flat areas beside sharp edges clean, where
  // halved colour would smear them. Dots per inch go into the JFIF density fields.
  JpegWriter(int quality, bool fullColour, int dotsPerInch = 300);

  // Writes the picture to a file beside the path and renames it into place, so an interrupted
  // build never leaves a half-written picture. On failure returns false and sets the error.
  bool Write(const QImage& picture, const std::string& path, std::string& error) const;

 private:
  bool Compress(const QImage& picture, const std::string& path, std::string& error) const;

  int quality_;
  bool fullColour_;
  int dotsPerInch_;
};
