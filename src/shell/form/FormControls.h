#pragma once

#include <QWidget>
#include <map>

class QLabel;

// The controls of the layout form by their ids (see FormControlIds.h), each owned by the widget
// it was built in. A control also carries its id, so that the id can be found from the widget.
class FormControls {
 public:
  // The control with the id, or nullptr.
  QWidget* ById(int id) const;
  // The control with the id as the type the form builds it with; asking for another type is a
  // fault of the caller.
  template <typename Control>
  Control* Get(int id) const {
    auto* control = qobject_cast<Control*>(ById(id));
    Q_ASSERT(control != nullptr);
    return control;
  }
  // The id of a control of the form, or 0 for any other widget.
  static int IdOf(const QWidget* control);
  // Gives the control its id; used while building.
  void Register(int id, QWidget* control);

  // Shown while the preview draws a class list, whose size then decides the number of images.
  QLabel* ClassListInUse = nullptr;

 private:
  std::map<int, QWidget*> byId_;
};
