#include "BackgroundPicture.h"

#include <QColor>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QRadialGradient>
#include <algorithm>
#include <cmath>

#include "ValueNoise.h"

namespace {

struct Glow {
  double x;
  double y;
  double radius;
  int alpha;
};

}  // namespace

QImage BackgroundPicture::Draw(int width, int height) {
  QImage image(width, height, QImage::Format_RGB32);
  const double w = width;
  const double h = height;
  QPainter painter(&image);
  painter.setRenderHint(QPainter::Antialiasing);

  QLinearGradient wash(0, 0, w, h);
  wash.setColorAt(0.0, QColor(150, 178, 212));
  wash.setColorAt(0.5, QColor(196, 212, 228));
  wash.setColorAt(1.0, QColor(226, 214, 196));
  painter.fillRect(image.rect(), wash);

  // A few large, very soft glows keep the wash from looking flat.
  const Glow glows[] = {{0.22, 0.26, 0.42, 80}, {0.80, 0.24, 0.32, 60}, {0.58, 0.80, 0.50, 70}};
  for (const Glow& glow : glows) {
    QRadialGradient light(w * glow.x, h * glow.y, w * glow.radius);
    light.setColorAt(0.0, QColor(255, 255, 255, glow.alpha));
    light.setColorAt(1.0, QColor(255, 255, 255, 0));
    painter.fillRect(image.rect(), light);
  }

  // A faint diamond lattice, like a pressed paper texture.
  const double spacing = w / 24.0;
  painter.setPen(QPen(QColor(255, 255, 255, 34), w / 700.0));
  for (double start = -h; start < w + h; start += spacing) {
    painter.drawLine(QPointF(start, 0), QPointF(start + h, h));
    painter.drawLine(QPointF(start, h), QPointF(start + h, 0));
  }
  painter.end();

  // A light grain keeps wide areas from banding once compressed.
  const ValueNoise noise(4242);
  for (int y = 0; y < height; ++y) {
    auto* row = reinterpret_cast<QRgb*>(image.scanLine(y));
    for (int x = 0; x < width; ++x) {
      const double grain = (noise.Fractal(x / 3.0, y / 3.0, 2) - 0.5) * 6.0;
      const auto shift = [grain](int channel) {
        return std::clamp(static_cast<int>(std::lround(channel + grain)), 0, 255);
      };
      row[x] = qRgb(shift(qRed(row[x])), shift(qGreen(row[x])), shift(qBlue(row[x])));
    }
  }
  return image;
}
