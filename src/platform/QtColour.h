#pragma once

#include <QColor>

#include "platform/ColourRef.h"

// Colours between our packed form and Qt's.
inline QColor ToQColor(ColourRef colour) {
  return QColor(static_cast<int>(RedOf(colour)), static_cast<int>(GreenOf(colour)),
                static_cast<int>(BlueOf(colour)));
}

inline ColourRef ToColourRef(const QColor& colour) {
  return MakeColourRef(static_cast<unsigned>(colour.red()), static_cast<unsigned>(colour.green()),
                       static_cast<unsigned>(colour.blue()));
}
