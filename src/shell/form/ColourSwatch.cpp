#include "shell/form/ColourSwatch.h"

#include <QPainter>

ColourSwatch::ColourSwatch(QWidget* parent) : QWidget(parent) {
  setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
}

void ColourSwatch::SetColour(const QColor& colour) {
  // The layout stores colours without transparency, so the swatch shows what will be printed.
  QColor opaque = colour;
  opaque.setAlpha(255);
  if (opaque == colour_) return;
  colour_ = opaque;
  update();
}

QSize ColourSwatch::sizeHint() const {
  // As tall as a line of text and a little wider, so it sits on a row beside a push button.
  const int height = fontMetrics().height() + 4;
  return {height * 3 / 2, height};
}

QSize ColourSwatch::minimumSizeHint() const { return sizeHint(); }

void ColourSwatch::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.fillRect(rect(), colour_);
  painter.setPen(QPen(Qt::black, 0));
  painter.setBrush(Qt::NoBrush);
  painter.drawRect(rect().adjusted(0, 0, -1, -1));
}
