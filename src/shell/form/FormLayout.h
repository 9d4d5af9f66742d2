#pragma once

#include "shell/form/FormControls.h"

class QWidget;

// Builds every control of the layout form inside parent, which must have no layout yet, group by
// group from top to bottom in tab order, and returns them by id.
FormControls LayOutForm(QWidget* parent);
