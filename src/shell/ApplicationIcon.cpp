#include "shell/ApplicationIcon.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

namespace {

// One portrait on a 64 x 64 grid: a sky-blue ground with a head and shoulders.
void DrawPortrait(QPainter& p, const QRectF& box) {
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(95, 140, 190));
  p.drawRect(box);
  p.setBrush(QColor(236, 196, 160));
  const double w = box.width();
  const double h = box.height();
  p.drawEllipse(QPointF(box.center().x(), box.top() + h * 0.42), w * 0.2, h * 0.2);
  QPainterPath shoulders;
  shoulders.moveTo(box.left() + w * 0.15, box.bottom());
  shoulders.quadTo(box.center().x(), box.top() + h * 0.5, box.right() - w * 0.15, box.bottom());
  p.setBrush(QColor(60, 60, 70));
  p.drawPath(shoulders);
}

}  // namespace

void PaintApplicationIcon(QPainter& p) {
  p.save();
  p.setRenderHint(QPainter::Antialiasing);
  // The mount and the print on it.
  p.setPen(QPen(QColor(70, 58, 46), 1.5));
  p.setBrush(QColor(246, 240, 228));
  p.drawRoundedRect(QRectF(3, 7, 58, 50), 4, 4);
  const double cell = 11;
  const double gap = 2.5;
  const double left = 32 - (4 * cell + 3 * gap) / 2;
  const double top = 32 - (3 * cell + 2 * gap) / 2 - 4;
  for (int row = 0; row < 3; ++row) {
    for (int column = 0; column < 4; ++column) {
      if (row < 2 && (column == 1 || column == 2)) continue;  // the main image's place
      DrawPortrait(p, QRectF(left + column * (cell + gap), top + row * (cell + gap), cell, cell));
    }
  }
  DrawPortrait(p, QRectF(left + cell + gap, top, 2 * cell + gap, 2 * cell + gap));
  // The caption line under the grid.
  p.setPen(QPen(QColor(70, 58, 46), 2.5, Qt::SolidLine, Qt::RoundCap));
  p.drawLine(QPointF(18, 51), QPointF(46, 51));
  p.restore();
}

QImage DrawApplicationIcon(int pixels) {
  QImage image(pixels, pixels, QImage::Format_ARGB32_Premultiplied);
  image.fill(Qt::transparent);
  QPainter p(&image);
  p.scale(double(pixels) / kApplicationIconGrid, double(pixels) / kApplicationIconGrid);
  PaintApplicationIcon(p);
  return image;
}

QIcon ApplicationIcon() {
  QIcon icon;
  for (const int pixels : {16, 24, 32, 48, 64, 128, 256}) {
    icon.addPixmap(QPixmap::fromImage(DrawApplicationIcon(pixels)));
  }
  return icon;
}
