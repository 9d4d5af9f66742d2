#pragma once

#include <QImage>
#include <QRect>

#include "platform/ColourRef.h"
#include "platform/Rect.h"

// Reading what the engine drew. The tests draw at 254 dpi with the converter's defaults, where
// one layout unit is one pixel and layout (x, y) is pixel (x, y), on surfaces that start white.
inline constexpr ColourRef kWhite = 0xFFFFFF;

inline ColourRef ColourAt(const QImage& image, int x, int y) {
  const QRgb pixel = image.pixel(x, y);
  return MakeColourRef(qRed(pixel), qGreen(pixel), qBlue(pixel));
}

// The bounding box of the pixels inside the area that differ clearly from the ground colour;
// antialiased text edges count when they are at least half way to the ink.
inline QRect InkBox(const QImage& image, const QRect& area, ColourRef ground) {
  QRect box;
  const QRect inside = area.intersected(image.rect());
  for (int y = inside.top(); y <= inside.bottom(); ++y) {
    for (int x = inside.left(); x <= inside.right(); ++x) {
      const QRgb pixel = image.pixel(x, y);
      const int difference = std::abs(qRed(pixel) - static_cast<int>(RedOf(ground))) +
                             std::abs(qGreen(pixel) - static_cast<int>(GreenOf(ground))) +
                             std::abs(qBlue(pixel) - static_cast<int>(BlueOf(ground)));
      if (difference >= 192) box |= QRect(x, y, 1, 1);
    }
  }
  return box;
}

inline QRect ToQRect(const Rect& rect) {
  return QRect(rect.Left, rect.Top, rect.Width(), rect.Height());
}
