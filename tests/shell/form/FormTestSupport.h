#pragma once

#include <QString>
#include <QWidget>
#include <vector>

#include "shell/form/FormControls.h"
#include "shell/form/FormDraft.h"
#include "shell/form/FormLayout.h"

class QLabel;

// A form built in a window of its own, as the shell tests use it.
struct BuiltForm {
  BuiltForm() : Controls(LayOutForm(&Window)) {}
  QWidget Window;
  FormControls Controls;
};

// Every control id in the order of the Tab key: the groups from top to bottom, each group's
// controls from left to right and top to bottom.
const std::vector<int>& TabOrderOfTheForm();

// The label whose buddy is the control, or nullptr.
QLabel* LabelFor(const QWidget& window, const QWidget* control);

// The name that assistive technology reads for a widget. Qt names a combo box on Linux by its
// current item and leaves its label to the labelled-by relation, so for combo boxes this is
// the name the program gave the widget.
QString AccessibleName(QWidget* widget);

// Whether assistive technology finds the label as the one that labels the control.
bool LabelledBy(QWidget* control, QWidget* label);

// A draft every field of which is valid and differs from a default-made draft, flags apart, so
// that a round trip that dropped a field would show.
FormDraft SampleDraft();

// Whether two drafts show the same in every control of the form.
bool SameShown(const FormDraft& a, const FormDraft& b);
