#include "shell/form/FormControls.h"

#include <QVariant>

namespace {

// The property that carries a control's id, so that the id can be found from the widget alone.
constexpr const char* kIdProperty = "montageControlId";

}  // namespace

QWidget* FormControls::ById(int id) const {
  auto found = byId_.find(id);
  return found != byId_.end() ? found->second : nullptr;
}

int FormControls::IdOf(const QWidget* control) {
  return control != nullptr ? control->property(kIdProperty).toInt() : 0;
}

void FormControls::Register(int id, QWidget* control) {
  control->setProperty(kIdProperty, id);
  byId_[id] = control;
}
