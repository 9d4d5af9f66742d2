#include <gtest/gtest.h>

#include <QImage>
#include <QPixmap>

#include "shell/form/ColourSwatch.h"

namespace {

QImage Painted(ColourSwatch& swatch) { return swatch.grab().toImage(); }

TEST(ColourSwatch, PaintsItsColourInsideABlackOutline) {
  ColourSwatch swatch;
  swatch.resize(30, 20);
  swatch.SetColour(QColor(0x12, 0x80, 0xFE));
  const QImage image = Painted(swatch);
  ASSERT_EQ(image.size(), QSize(30, 20));
  const QRgb black = qRgb(0, 0, 0);
  const QRgb fill = qRgb(0x12, 0x80, 0xFE);
  for (int x = 0; x < 30; ++x) {
    EXPECT_EQ(image.pixel(x, 0), black) << x;
    EXPECT_EQ(image.pixel(x, 19), black) << x;
  }
  for (int y = 0; y < 20; ++y) {
    EXPECT_EQ(image.pixel(0, y), black) << y;
    EXPECT_EQ(image.pixel(29, y), black) << y;
  }
  for (int y = 1; y < 19; ++y) {
    for (int x = 1; x < 29; ++x) ASSERT_EQ(image.pixel(x, y), fill) << x << ',' << y;
  }
}

TEST(ColourSwatch, WhiteStaysVisibleThroughItsOutline) {
  ColourSwatch swatch;
  swatch.resize(12, 10);
  swatch.SetColour(Qt::white);
  const QImage image = Painted(swatch);
  EXPECT_EQ(image.pixel(0, 0), qRgb(0, 0, 0));
  EXPECT_EQ(image.pixel(6, 5), qRgb(255, 255, 255));
}

TEST(ColourSwatch, KeepsColoursOpaque) {
  ColourSwatch swatch;
  swatch.SetColour(QColor(10, 20, 30, 40));
  EXPECT_EQ(swatch.Colour(), QColor(10, 20, 30));
  EXPECT_EQ(swatch.Colour().alpha(), 255);
}

TEST(ColourSwatch, IsNeverSmallerThanALineOfText) {
  ColourSwatch swatch;
  EXPECT_GE(swatch.sizeHint().height(), swatch.fontMetrics().height());
  EXPECT_GT(swatch.sizeHint().width(), swatch.sizeHint().height());
  EXPECT_EQ(swatch.minimumSizeHint(), swatch.sizeHint());
}

}  // namespace
