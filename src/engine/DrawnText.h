#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "engine/FittedText.h"

// What a text on the composite is there for; names under the main image have a font of their
// own.
enum class TextRole : std::uint8_t { Name, MainName, Caption };

// One text the composite drew and the size it was fitted to, so that a caller can tell what the
// paper shows without fitting the text a second time. Line counts from 0: the caption line, or
// the first or second line of a name.
struct DrawnText {
  TextRole Role = TextRole::Name;
  std::size_t Line = 0;
  std::string Text;
  FittedText Fit;
};
