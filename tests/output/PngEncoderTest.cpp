#include "output/PngEncoder.h"

#include <gtest/gtest.h>

#include <QImage>
#include <random>

namespace {

// Encodes the picture, reads it back with Qt's PNG reader (libpng, which checks every chunk's
// CRC and the stream's Adler-32) and compares every pixel.
void ExpectRoundTrip(const QImage& picture) {
  const QByteArray png = PngEncoder::Encode(picture, 5906, 3937);
  QImage decoded;
  ASSERT_TRUE(decoded.loadFromData(png, "PNG"));
  ASSERT_EQ(decoded.size(), picture.size());
  EXPECT_EQ(decoded.dotsPerMeterX(), 5906);
  EXPECT_EQ(decoded.dotsPerMeterY(), 3937);
  const QImage expected = picture.convertToFormat(QImage::Format_RGB32);
  const QImage actual = decoded.convertToFormat(QImage::Format_RGB32);
  int differing = 0;
  for (int y = 0; y < picture.height(); ++y) {
    for (int x = 0; x < picture.width(); ++x) {
      differing += (expected.pixel(x, y) & 0xFFFFFF) != (actual.pixel(x, y) & 0xFFFFFF);
    }
  }
  EXPECT_EQ(differing, 0);
}

TEST(PngEncoderRoundTrip, NoiseEveryByteValueAndManyPieces) {
  QImage noise(301, 517, QImage::Format_RGB32);
  std::mt19937 random(7);
  for (int y = 0; y < noise.height(); ++y) {
    for (int x = 0; x < noise.width(); ++x) noise.setPixel(x, y, random() & 0xFFFFFFu);
  }
  ExpectRoundTrip(noise);
}

TEST(PngEncoderRoundTrip, FlatColourLongRunsAndGradients) {
  QImage flat(2000, 70, QImage::Format_RGB32);
  flat.fill(qRgb(12, 200, 99));
  ExpectRoundTrip(flat);

  QImage gradient(640, 130, QImage::Format_RGB32);
  for (int y = 0; y < gradient.height(); ++y) {
    for (int x = 0; x < gradient.width(); ++x) {
      gradient.setPixel(x, y, qRgb(x & 0xFF, (x / 3 + y) & 0xFF, (x * y / 7) & 0xFF));
    }
  }
  ExpectRoundTrip(gradient);
}

TEST(PngEncoderRoundTrip, TinyAndOddlyShapedPictures) {
  QImage one(1, 1, QImage::Format_RGB32);
  one.fill(qRgb(255, 0, 128));
  ExpectRoundTrip(one);
  QImage column(1, 300, QImage::Format_RGB888);
  column.fill(qRgb(0, 0, 0));
  column.setPixel(0, 150, qRgb(1, 2, 3));
  ExpectRoundTrip(column);
  // Runs longer than the longest match, broken by one pixel, across rows and pieces.
  QImage wide(5000, 65, QImage::Format_RGB32);
  wide.fill(qRgb(255, 255, 255));
  wide.setPixel(4321, 64, qRgb(254, 255, 255));
  ExpectRoundTrip(wide);
}

}  // namespace
