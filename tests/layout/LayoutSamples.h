#pragma once

#include "layout/Montage.h"
#include "support/LayoutText.h"

// A layout in which every field, fonts included, differs from the defaults.
Montage EveryFieldChanged();
