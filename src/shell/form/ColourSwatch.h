#pragma once

#include <QColor>
#include <QWidget>

// A small rectangle that shows a colour chosen for the layout: filled with the colour and
// outlined by a one-pixel black line, so that white on a white form stays visible.
class ColourSwatch : public QWidget {
  Q_OBJECT

 public:
  explicit ColourSwatch(QWidget* parent = nullptr);

  QColor Colour() const { return colour_; }
  // Takes the colour (opaque) and repaints at once.
  void SetColour(const QColor& colour);

  QSize sizeHint() const override;
  QSize minimumSizeHint() const override;

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  QColor colour_{Qt::white};
};
