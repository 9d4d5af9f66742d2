#include "CrestPicture.h"

#include <QColor>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>
#include <QTransform>
#include <cmath>
#include <numbers>

namespace {

const QColor Navy(28, 52, 104);
const QColor Gold(212, 168, 48);
const QColor DarkGold(150, 112, 24);
const QColor Leaf(64, 124, 64);
const QColor DarkLeaf(36, 82, 40);
const QColor Crimson(156, 32, 44);

// The crest is designed on a 400 by 400 square; the painter scales it to the picture.
constexpr double Design = 400.0;

QPainterPath ShieldOutline(double inset) {
  QPainterPath shield;
  const double left = 118 + inset;
  const double right = 282 - inset;
  const double top = 74 + inset;
  shield.moveTo(left, top);
  shield.lineTo(right, top);
  shield.lineTo(right, 190);
  shield.cubicTo(right, 250, 250, 292 - inset * 0.5, 200, 318 - inset);
  shield.cubicTo(150, 292 - inset * 0.5, left, 250, left, 190);
  shield.closeSubpath();
  return shield;
}

void PaintLaurel(QPainter& painter, double side) {
  // A branch curving up beside the shield, with leaves set along it alternately outside and
  // inside, each turned to follow the stem.
  QPainterPath stem;
  stem.moveTo(200 + side * 36, 334);
  stem.cubicTo(200 + side * 128, 318, 200 + side * 150, 220, 200 + side * 116, 96);
  painter.setPen(QPen(DarkLeaf, 3.0, Qt::SolidLine, Qt::RoundCap));
  painter.setBrush(Qt::NoBrush);
  painter.drawPath(stem);

  constexpr int leaves = 14;
  for (int i = 0; i < leaves; ++i) {
    const double t = 0.06 + 0.92 * i / (leaves - 1);
    const QPointF at = stem.pointAtPercent(t);
    const double along = stem.angleAtPercent(t);
    const double outwards = i % 2 == 0 ? 1.0 : -1.0;
    const double size = 1.0 - 0.35 * t;
    QTransform turn;
    turn.translate(at.x(), at.y());
    // Qt's path angles run counter-clockwise while rotate() runs clockwise.
    turn.rotate(-along + side * outwards * 40.0);
    painter.save();
    painter.setTransform(turn, true);
    painter.setBrush(i % 3 == 0 ? DarkLeaf : Leaf);
    painter.setPen(QPen(DarkLeaf, 1.0));
    painter.drawEllipse(QRectF(0, -6 * size, 32 * size, 12 * size));
    painter.restore();
  }
}

void PaintStar(QPainter& painter, QPointF centre, double outer, double inner) {
  QPolygonF star;
  for (int point = 0; point < 10; ++point) {
    const double radius = point % 2 == 0 ? outer : inner;
    const double angle = -std::numbers::pi / 2 + point * std::numbers::pi / 5;
    star << QPointF(centre.x() + radius * std::cos(angle), centre.y() + radius * std::sin(angle));
  }
  painter.setBrush(Gold);
  painter.setPen(QPen(DarkGold, 1.5));
  painter.drawPolygon(star);
}

void PaintBook(QPainter& painter) {
  // An open book: two curved pages meeting at the spine, with a few lines of "text".
  painter.setPen(QPen(QColor(200, 200, 210), 1.5));
  painter.setBrush(QColor(250, 250, 250));
  for (double side : {-1.0, 1.0}) {
    QPainterPath page;
    page.moveTo(200, 116);
    page.cubicTo(200 + side * 20, 104, 200 + side * 44, 104, 200 + side * 58, 110);
    page.lineTo(200 + side * 58, 152);
    page.cubicTo(200 + side * 44, 146, 200 + side * 20, 146, 200, 158);
    page.closeSubpath();
    painter.drawPath(page);
    painter.setPen(QPen(QColor(150, 160, 185), 2.0));
    for (int line = 0; line < 4; ++line) {
      const double y = 120 + line * 8;
      painter.drawLine(QPointF(200 + side * 10, y + 1), QPointF(200 + side * 48, y - 2));
    }
    painter.setPen(QPen(QColor(200, 200, 210), 1.5));
  }
}

void PaintRibbon(QPainter& painter) {
  // Swallow-tailed ends tucked behind the band.
  QPainterPath tails;
  for (double side : {-1.0, 1.0}) {
    tails.moveTo(200 + side * 80, 336);
    tails.lineTo(200 + side * 140, 336);
    tails.lineTo(200 + side * 126, 352);
    tails.lineTo(200 + side * 140, 368);
    tails.lineTo(200 + side * 80, 368);
    tails.closeSubpath();
  }
  painter.setBrush(Crimson.darker(135));
  painter.setPen(QPen(DarkGold, 2.0));
  painter.drawPath(tails);

  QPainterPath band;
  band.moveTo(108, 322);
  band.cubicTo(160, 340, 240, 340, 292, 322);
  band.lineTo(292, 354);
  band.cubicTo(240, 372, 160, 372, 108, 354);
  band.closeSubpath();
  QLinearGradient shade(0, 322, 0, 372);
  shade.setColorAt(0.0, Crimson.lighter(125));
  shade.setColorAt(1.0, Crimson.darker(110));
  painter.setBrush(shade);
  painter.drawPath(band);
  painter.setPen(QPen(Gold, 1.5));
  QPainterPath thread;
  thread.moveTo(114, 330);
  thread.cubicTo(162, 347, 238, 347, 286, 330);
  painter.setBrush(Qt::NoBrush);
  painter.drawPath(thread);
}

}  // namespace

QImage CrestPicture::Draw(int width, int height) {
  QImage image(width, height, QImage::Format_RGB32);
  image.fill(Qt::white);
  QPainter painter(&image);
  painter.setRenderHint(QPainter::Antialiasing);
  painter.scale(width / Design, height / Design);

  PaintLaurel(painter, -1.0);
  PaintLaurel(painter, 1.0);

  // The shield: a gold rim around a navy field divided by a gold band.
  painter.setPen(QPen(DarkGold, 2.5));
  painter.setBrush(Gold);
  painter.drawPath(ShieldOutline(0));
  const QPainterPath field = ShieldOutline(9);
  QLinearGradient navy(0, 80, 0, 310);
  navy.setColorAt(0.0, Navy.lighter(125));
  navy.setColorAt(1.0, Navy);
  painter.fillPath(field, navy);
  painter.save();
  painter.setClipPath(field);
  painter.fillRect(QRectF(100, 176, 200, 24), Gold);
  painter.fillRect(QRectF(100, 176, 200, 3), DarkGold);
  painter.fillRect(QRectF(100, 197, 200, 3), DarkGold);
  painter.restore();

  PaintBook(painter);
  PaintStar(painter, QPointF(200, 243), 30, 12);
  PaintRibbon(painter);
  painter.end();
  return image;
}
