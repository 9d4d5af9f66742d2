#pragma once

#include <optional>

#include "platform/ModalQuestions.h"

class QWidget;

// The desktop's font chooser with a colour button beneath it, since a layout's fonts carry a
// colour as well as a face, size, weight and slant. Modal to the parent.
std::optional<FontChoice> AskFontWithColour(QWidget* parent, const FontChoice& initial);
