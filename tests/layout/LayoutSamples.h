#pragma once

#include <string>

#include "layout/Montage.h"

// A layout in which every field, fonts included, differs from the defaults.
Montage EveryFieldChanged();

// The layout file text of a layout, which covers every field but the record identity and marks.
std::string TextOf(const Montage& layout);
