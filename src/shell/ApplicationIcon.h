#pragma once

#include <QIcon>
#include <QImage>

class QPainter;

// The program's picture: a composite in small, a grid of portraits around a larger main one on
// a mounted print. It is drawn in one place for the window, the installed PNG icons and the
// scalable SVG icon alike, so they can never drift apart.

// The drawing's own square grid; a painter scaled so that this many units fill the target draws
// the whole icon.
inline constexpr int kApplicationIconGrid = 64;

// Paints the icon on the grid above, whatever the painter draws on (a picture, an SVG file).
void PaintApplicationIcon(QPainter& painter);

QImage DrawApplicationIcon(int pixels);
QIcon ApplicationIcon();
