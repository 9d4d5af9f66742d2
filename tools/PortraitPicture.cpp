#include "PortraitPicture.h"

#include <QColor>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <algorithm>
#include <cmath>

#include "ValueNoise.h"

namespace {

int Channel(double value) { return std::clamp(static_cast<int>(std::lround(value)), 0, 255); }

// The backdrop is painted pixel by pixel: two tones of a blue-grey cloth mixed by fractal noise,
// lit from behind the sitter so that it is brightest around the head and falls off to the corners.
void PaintBackdrop(QImage& image) {
  const ValueNoise noise(1977);
  const double width = image.width();
  const double height = image.height();
  const double lightX = width * 0.5;
  const double lightY = height * 0.38;
  const double reach = std::hypot(width, height) * 0.62;
  for (int y = 0; y < image.height(); ++y) {
    auto* row = reinterpret_cast<QRgb*>(image.scanLine(y));
    for (int x = 0; x < image.width(); ++x) {
      const double cloud = noise.Fractal(x / 260.0, y / 260.0, 6);
      const double fine = noise.Fractal(x / 7.0 + 500.0, y / 7.0 + 500.0, 3);
      const double mottle = std::clamp((cloud - 0.5) * 1.9 + 0.5, 0.0, 1.0);
      const double distance = std::hypot(x - lightX, y - lightY) / reach;
      const double light = 1.26 - 0.72 * std::min(distance * distance, 1.0) + (fine - 0.5) * 0.03;
      const double red = (52 + 58 * mottle) * light;
      const double green = (64 + 60 * mottle) * light;
      const double blue = (82 + 62 * mottle) * light;
      row[x] = qRgb(Channel(red), Channel(green), Channel(blue));
    }
  }
}

void PaintShoulders(QPainter& painter, double w, double h) {
  // Shoulders sloping from the neck into a dark jacket that fills the bottom of the frame.
  QPainterPath outline;
  outline.moveTo(0, h * 0.93);
  outline.cubicTo(w * 0.03, h * 0.80, w * 0.10, h * 0.755, w * 0.24, h * 0.73);
  outline.cubicTo(w * 0.33, h * 0.715, w * 0.40, h * 0.69, w * 0.43, h * 0.655);
  outline.lineTo(w * 0.57, h * 0.655);
  outline.cubicTo(w * 0.60, h * 0.69, w * 0.67, h * 0.715, w * 0.76, h * 0.73);
  outline.cubicTo(w * 0.90, h * 0.755, w * 0.97, h * 0.80, w, h * 0.93);
  QPainterPath jacket = outline;
  jacket.lineTo(w, h);
  jacket.lineTo(0, h);
  jacket.closeSubpath();
  QLinearGradient cloth(0, h * 0.66, 0, h);
  cloth.setColorAt(0.0, QColor(58, 66, 92));
  cloth.setColorAt(1.0, QColor(24, 28, 44));
  painter.fillPath(jacket, cloth);

  // A soft rim of light along the shoulders separates the figure from the backdrop.
  QPen rim(QColor(130, 140, 170, 70), w * 0.010);
  rim.setCapStyle(Qt::RoundCap);
  painter.strokePath(outline, rim);

  // The open neck of the shirt, a tie and the collar points.
  QPainterPath shirt;
  shirt.moveTo(w * 0.425, h * 0.655);
  shirt.lineTo(w * 0.575, h * 0.655);
  shirt.lineTo(w * 0.50, h * 0.86);
  shirt.closeSubpath();
  painter.fillPath(shirt, QColor(236, 238, 242));
  QPainterPath tie;
  tie.moveTo(w * 0.478, h * 0.675);
  tie.lineTo(w * 0.522, h * 0.675);
  tie.lineTo(w * 0.513, h * 0.705);
  tie.lineTo(w * 0.535, h * 0.84);
  tie.lineTo(w * 0.50, h * 0.88);
  tie.lineTo(w * 0.465, h * 0.84);
  tie.lineTo(w * 0.487, h * 0.705);
  tie.closeSubpath();
  QLinearGradient tieShade(w * 0.46, 0, w * 0.54, 0);
  tieShade.setColorAt(0.0, QColor(120, 28, 40));
  tieShade.setColorAt(0.5, QColor(158, 40, 52));
  tieShade.setColorAt(1.0, QColor(112, 24, 36));
  painter.fillPath(tie, tieShade);
  for (double side : {-1.0, 1.0}) {
    QPainterPath collar;
    collar.moveTo(w * (0.5 + side * 0.075), h * 0.650);
    collar.lineTo(w * (0.5 + side * 0.024), h * 0.672);
    collar.lineTo(w * (0.5 + side * 0.052), h * 0.725);
    collar.closeSubpath();
    painter.fillPath(collar, QColor(246, 247, 250));
    painter.strokePath(collar, QPen(QColor(190, 194, 204), w * 0.003));
  }

  QPainterPath lapels;
  lapels.moveTo(w * 0.415, h * 0.665);
  lapels.lineTo(w * 0.50, h * 0.92);
  lapels.lineTo(w * 0.585, h * 0.665);
  lapels.lineTo(w * 0.65, h * 0.71);
  lapels.lineTo(w * 0.52, h);
  lapels.lineTo(w * 0.48, h);
  lapels.lineTo(w * 0.35, h * 0.71);
  lapels.closeSubpath();
  QLinearGradient lapel(w * 0.34, 0, w * 0.66, 0);
  lapel.setColorAt(0.0, QColor(48, 54, 78));
  lapel.setColorAt(0.5, QColor(34, 38, 58));
  lapel.setColorAt(1.0, QColor(44, 50, 72));
  painter.fillPath(lapels, lapel);
}

void PaintHead(QPainter& painter, double w, double h) {
  const QColor skin(222, 178, 150);
  const QColor skinShade(176, 126, 100);

  // Neck, shaded under the jaw.
  QPainterPath neck;
  neck.moveTo(w * 0.43, h * 0.55);
  neck.lineTo(w * 0.57, h * 0.55);
  neck.cubicTo(w * 0.57, h * 0.61, w * 0.575, h * 0.64, w * 0.59, h * 0.67);
  neck.lineTo(w * 0.41, h * 0.67);
  neck.cubicTo(w * 0.425, h * 0.64, w * 0.43, h * 0.61, w * 0.43, h * 0.55);
  QLinearGradient neckShade(0, h * 0.55, 0, h * 0.67);
  neckShade.setColorAt(0.0, skinShade.darker(120));
  neckShade.setColorAt(0.45, skinShade);
  neckShade.setColorAt(1.0, skin.darker(108));
  painter.fillPath(neck, neckShade);

  // Hair behind the head.
  const QRectF face(w * 0.345, h * 0.265, w * 0.31, h * 0.335);
  QRadialGradient hairLight(w * 0.44, h * 0.22, w * 0.30);
  hairLight.setColorAt(0.0, QColor(112, 78, 52));
  hairLight.setColorAt(1.0, QColor(52, 34, 24));
  painter.setBrush(hairLight);
  painter.setPen(Qt::NoPen);
  painter.drawEllipse(QRectF(w * 0.325, h * 0.21, w * 0.35, h * 0.33));

  // Ears.
  painter.setBrush(skinShade);
  painter.drawEllipse(QRectF(w * 0.325, h * 0.40, w * 0.045, h * 0.085));
  painter.drawEllipse(QRectF(w * 0.63, h * 0.40, w * 0.045, h * 0.085));

  // The face: an egg shape, lit from the upper left.
  QPainterPath head;
  head.moveTo(face.center().x(), face.top());
  head.cubicTo(face.right() + w * 0.005, face.top(), face.right(),
               face.top() + face.height() * 0.55, face.right() - face.width() * 0.08,
               face.top() + face.height() * 0.75);
  head.cubicTo(face.right() - face.width() * 0.2, face.bottom(), face.center().x() + w * 0.04,
               face.bottom(), face.center().x(), face.bottom());
  head.cubicTo(face.center().x() - w * 0.04, face.bottom(), face.left() + face.width() * 0.2,
               face.bottom(), face.left() + face.width() * 0.08, face.top() + face.height() * 0.75);
  head.cubicTo(face.left(), face.top() + face.height() * 0.55, face.left() - w * 0.005, face.top(),
               face.center().x(), face.top());
  QRadialGradient faceLight(face.center().x() - face.width() * 0.15,
                            face.top() + face.height() * 0.38, face.width() * 0.75);
  faceLight.setColorAt(0.0, skin.lighter(110));
  faceLight.setColorAt(0.6, skin);
  faceLight.setColorAt(1.0, skinShade);
  painter.fillPath(head, faceLight);

  // Fringe: hair sweeping across the forehead from a side parting.
  QPainterPath fringe;
  fringe.moveTo(w * 0.33, h * 0.41);
  fringe.cubicTo(w * 0.32, h * 0.26, w * 0.40, h * 0.205, w * 0.50, h * 0.205);
  fringe.cubicTo(w * 0.61, h * 0.205, w * 0.69, h * 0.26, w * 0.67, h * 0.41);
  fringe.cubicTo(w * 0.655, h * 0.34, w * 0.63, h * 0.305, w * 0.59, h * 0.29);
  fringe.cubicTo(w * 0.52, h * 0.33, w * 0.42, h * 0.32, w * 0.38, h * 0.30);
  fringe.cubicTo(w * 0.355, h * 0.33, w * 0.34, h * 0.37, w * 0.33, h * 0.41);
  painter.fillPath(fringe, hairLight);

  // Quiet features: brows, closed-lipped smile and the shadow of the nose, enough to read as a
  // face at thumbnail size without pretending to be anyone.
  const double eyeY = h * 0.425;
  QPen brow(QColor(70, 46, 32), w * 0.011, Qt::SolidLine, Qt::RoundCap);
  painter.setPen(brow);
  painter.setBrush(Qt::NoBrush);
  painter.drawArc(QRectF(w * 0.405, eyeY - h * 0.030, w * 0.075, h * 0.03), 30 * 16, 120 * 16);
  painter.drawArc(QRectF(w * 0.52, eyeY - h * 0.030, w * 0.075, h * 0.03), 30 * 16, 120 * 16);
  painter.setPen(Qt::NoPen);
  painter.setBrush(QColor(250, 246, 242));
  painter.drawEllipse(QRectF(w * 0.418, eyeY - h * 0.006, w * 0.05, h * 0.022));
  painter.drawEllipse(QRectF(w * 0.532, eyeY - h * 0.006, w * 0.05, h * 0.022));
  painter.setBrush(QColor(62, 44, 34));
  painter.drawEllipse(QRectF(w * 0.432, eyeY - h * 0.006, w * 0.022, h * 0.022));
  painter.drawEllipse(QRectF(w * 0.546, eyeY - h * 0.006, w * 0.022, h * 0.022));

  QColor noseShade = skinShade;
  noseShade.setAlpha(150);
  painter.setPen(QPen(noseShade, w * 0.006, Qt::SolidLine, Qt::RoundCap));
  painter.setBrush(Qt::NoBrush);
  QPainterPath noseLine;
  noseLine.moveTo(w * 0.512, h * 0.455);
  noseLine.cubicTo(w * 0.518, h * 0.475, w * 0.522, h * 0.49, w * 0.508, h * 0.496);
  painter.drawPath(noseLine);
  painter.setPen(Qt::NoPen);
  painter.setBrush(noseShade);
  painter.drawEllipse(QRectF(w * 0.478, h * 0.492, w * 0.014, h * 0.007));
  painter.drawEllipse(QRectF(w * 0.508, h * 0.492, w * 0.014, h * 0.007));

  QPen mouth(QColor(168, 92, 84), w * 0.011, Qt::SolidLine, Qt::RoundCap);
  painter.setPen(mouth);
  painter.drawArc(QRectF(w * 0.455, h * 0.505, w * 0.09, h * 0.03), 200 * 16, 140 * 16);
  painter.setPen(Qt::NoPen);
}

}  // namespace

QImage PortraitPicture::Draw(int width, int height) {
  QImage image(width, height, QImage::Format_RGB32);
  PaintBackdrop(image);
  QPainter painter(&image);
  painter.setRenderHint(QPainter::Antialiasing);
  PaintShoulders(painter, width, height);
  PaintHead(painter, width, height);
  painter.end();
  return image;
}
