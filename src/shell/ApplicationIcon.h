#pragma once

#include <QIcon>
#include <QImage>

// The program's picture: a composite in small, a grid of portraits around a larger main one on
// a mounted print.
QImage DrawApplicationIcon(int pixels);
QIcon ApplicationIcon();
