#pragma once

#include <span>

// One row of the form's tooltip table.
struct FormTooltip {
  int Id;
  const char* Text;
};

// Every tooltip the layout form shows, by control id, in ascending id order. Controls that are
// not listed show none.
std::span<const FormTooltip> FormTooltips();

// The tooltip of a control, or nullptr when the control has none.
const char* FormTooltipFor(int id);
