#pragma once

#include <sstream>
#include <string>

#include "layout/Montage.h"

// The text of a layout file, which holds every field but the record identity and the marks of
// changed fields: comparing two texts compares whole layouts.
inline std::string TextOf(const Montage& layout) {
  std::ostringstream text;
  layout.WriteText(text);
  return text.str();
}
