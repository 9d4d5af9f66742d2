#include "ClassPortrait.h"

#include <QColor>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <algorithm>
#include <cmath>
#include <random>

#include "ValueNoise.h"

namespace {

// The backdrop's clouds are worked out on a grid this many times coarser and smoothed up: the
// noise changes over hundreds of pixels, so nothing is lost and a 24-megapixel picture takes a
// fraction of the time.
constexpr int kBackdropStep = 16;

struct Look {
  QColor backdrop;
  QColor skin;
  QColor hair;
  QColor jacket;
  double headShift;  // the sitter's lean, as a part of the figure's width
  double headScale;
};

Look LookFor(std::mt19937& random) {
  std::uniform_int_distribution<int> hue(0, 359);
  std::uniform_real_distribution<double> unit(0.0, 1.0);
  const QColor skins[] = {{234, 196, 170}, {222, 178, 150}, {198, 146, 112},
                          {160, 110, 80},  {120, 80, 56},   {92, 62, 44}};
  const QColor hairs[] = {{30, 24, 20}, {70, 46, 30}, {112, 78, 52}, {176, 136, 84}, {150, 60, 30}};
  Look look;
  look.backdrop = QColor::fromHsv(hue(random), 60 + static_cast<int>(unit(random) * 80), 120);
  look.skin = skins[random() % std::size(skins)];
  look.hair = hairs[random() % std::size(hairs)];
  look.jacket = QColor::fromHsv(hue(random), 40 + static_cast<int>(unit(random) * 120),
                                40 + static_cast<int>(unit(random) * 80));
  look.headShift = (unit(random) - 0.5) * 0.06;
  look.headScale = 0.92 + unit(random) * 0.16;
  return look;
}

void PaintBackdrop(QImage& image, const Look& look, std::uint32_t seed) {
  const int columns = image.width() / kBackdropStep + 2;
  const int rows = image.height() / kBackdropStep + 2;
  QImage coarse(columns, rows, QImage::Format_RGB32);
  const ValueNoise noise(seed);
  for (int y = 0; y < rows; ++y) {
    auto* row = reinterpret_cast<QRgb*>(coarse.scanLine(y));
    for (int x = 0; x < columns; ++x) {
      const double cloud = noise.Fractal(x / 14.0, y / 14.0, 5);
      const double light = 0.6 + 0.8 * cloud;
      row[x] = qRgb(std::clamp(static_cast<int>(look.backdrop.red() * light), 0, 255),
                    std::clamp(static_cast<int>(look.backdrop.green() * light), 0, 255),
                    std::clamp(static_cast<int>(look.backdrop.blue() * light), 0, 255));
    }
  }
  QPainter painter(&image);
  painter.setRenderHint(QPainter::SmoothPixmapTransform);
  painter.drawImage(QRectF(0, 0, columns * kBackdropStep, rows * kBackdropStep), coarse);
  // Light falls off towards the corners, as behind a sitter lit from the front.
  QRadialGradient fall(image.width() * 0.5, image.height() * 0.4,
                       std::hypot(image.width(), image.height()) * 0.6);
  fall.setColorAt(0.0, QColor(255, 255, 255, 40));
  fall.setColorAt(1.0, QColor(0, 0, 0, 120));
  painter.fillRect(image.rect(), fall);
}

void PaintFigure(QPainter& painter, double left, double w, double h, const Look& look,
                 std::mt19937& random) {
  const auto X = [&](double part) { return left + w * part; };
  QPainterPath jacket;
  jacket.moveTo(X(0.0), h * 0.95);
  jacket.cubicTo(X(0.05), h * 0.78, X(0.2), h * 0.74, X(0.42), h * 0.68);
  jacket.lineTo(X(0.58), h * 0.68);
  jacket.cubicTo(X(0.8), h * 0.74, X(0.95), h * 0.78, X(1.0), h * 0.95);
  jacket.lineTo(X(1.0), h);
  jacket.lineTo(X(0.0), h);
  jacket.closeSubpath();
  QLinearGradient cloth(0, h * 0.68, 0, h);
  cloth.setColorAt(0.0, look.jacket.lighter(130));
  cloth.setColorAt(1.0, look.jacket.darker(160));
  painter.fillPath(jacket, cloth);
  // The weave of the cloth: fine diagonal threads a few pixels apart.
  painter.save();
  painter.setClipPath(jacket);
  painter.setPen(QPen(QColor(255, 255, 255, 18), std::max(1.0, w * 0.0006)));
  const double pitch = std::max(3.0, w * 0.002);
  for (double x = X(-0.3); x < X(1.0); x += pitch)
    painter.drawLine(QPointF(x, h * 0.68), QPointF(x + h * 0.32, h));
  painter.restore();

  const double cx = X(0.5 + look.headShift);
  const double headW = w * 0.30 * look.headScale;
  const double headH = h * 0.36 * look.headScale;
  const QRectF face(cx - headW / 2, h * 0.27, headW, headH);
  painter.setPen(Qt::NoPen);
  painter.setBrush(look.skin.darker(115));
  painter.drawRect(QRectF(cx - headW * 0.22, face.bottom() - headH * 0.2, headW * 0.44, h * 0.2));
  painter.setBrush(look.hair);
  painter.drawEllipse(face.adjusted(-headW * 0.08, -headH * 0.12, headW * 0.08, -headH * 0.3));
  QRadialGradient faceLight(face.center().x() - headW * 0.15, face.top() + headH * 0.4,
                            headW * 0.8);
  faceLight.setColorAt(0.0, look.skin.lighter(112));
  faceLight.setColorAt(0.6, look.skin);
  faceLight.setColorAt(1.0, look.skin.darker(125));
  painter.setBrush(faceLight);
  painter.drawEllipse(face);

  // Hair strands over the crown: thin curves, the finest detail of a portrait.
  std::uniform_real_distribution<double> unit(0.0, 1.0);
  painter.setBrush(Qt::NoBrush);
  for (int i = 0; i < 1500; ++i) {
    const double start = face.left() - headW * 0.05 + unit(random) * headW * 1.1;
    QPainterPath strand;
    strand.moveTo(start, face.top() - headH * 0.1 + unit(random) * headH * 0.1);
    strand.quadTo(cx, face.top() - headH * 0.15, start + (unit(random) - 0.5) * headW * 0.6,
                  face.top() + unit(random) * headH * 0.25);
    const QColor shade = unit(random) < 0.5 ? look.hair.lighter(140) : look.hair.darker(140);
    painter.setPen(QPen(shade, std::max(1.0, w * 0.0008)));
    painter.drawPath(strand);
  }

  // Eyes, brows and a mouth, enough to read as a face at thumbnail size.
  const double eyeY = face.top() + headH * 0.45;
  painter.setPen(Qt::NoPen);
  for (const double side : {-1.0, 1.0}) {
    const double ex = cx + side * headW * 0.2;
    painter.setBrush(QColor(248, 246, 242));
    painter.drawEllipse(QPointF(ex, eyeY), headW * 0.08, headH * 0.035);
    painter.setBrush(QColor(60, 44, 34));
    painter.drawEllipse(QPointF(ex, eyeY), headW * 0.035, headH * 0.03);
    painter.setPen(QPen(look.hair.darker(120), headW * 0.03, Qt::SolidLine, Qt::RoundCap));
    painter.drawLine(QPointF(ex - headW * 0.09, eyeY - headH * 0.08),
                     QPointF(ex + headW * 0.09, eyeY - headH * 0.09));
    painter.setPen(Qt::NoPen);
  }
  painter.setPen(QPen(QColor(160, 90, 82), headW * 0.03, Qt::SolidLine, Qt::RoundCap));
  painter.setBrush(Qt::NoBrush);
  painter.drawArc(QRectF(cx - headW * 0.16, face.top() + headH * 0.68, headW * 0.32, headH * 0.1),
                  200 * 16, 140 * 16);
}

// Sensor grain: a little independent noise in every sample.
void AddGrain(QImage& image, std::uint32_t seed) {
  std::uint32_t state = seed * 2654435761u + 1;
  for (int y = 0; y < image.height(); ++y) {
    auto* bytes = image.scanLine(y);
    for (int x = 0; x < image.width() * 4; ++x) {
      if (x % 4 == 3) continue;
      state ^= state << 13;
      state ^= state >> 17;
      state ^= state << 5;
      bytes[x] =
          static_cast<std::uint8_t>(std::clamp(bytes[x] + static_cast<int>(state % 9) - 4, 0, 255));
    }
  }
}

}  // namespace

QImage ClassPortrait::Draw(int width, int height, std::uint32_t seed) {
  std::mt19937 random(seed);
  const Look look = LookFor(random);
  QImage image(width, height, QImage::Format_RGB32);
  PaintBackdrop(image, look, seed);
  QPainter painter(&image);
  painter.setRenderHint(QPainter::Antialiasing);
  // The figure keeps the proportions of a portrait whatever the frame's.
  const double figureWidth = std::min<double>(width, height * 0.8);
  PaintFigure(painter, (width - figureWidth) / 2, figureWidth, height, look, random);
  painter.end();
  AddGrain(image, seed);
  return image;
}
