#pragma once

#include <sstream>
#include <string>

#include "layout/Montage.h"

// The text of a layout file, for comparing whole layouts.
inline std::string TextOf(const Montage& layout) {
  std::ostringstream text;
  layout.WriteText(text);
  return text.str();
}
