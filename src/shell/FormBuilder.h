#pragma once

#include <array>

class ColourSwatch;
class QButtonGroup;
class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QString;
class QWidget;
struct FormControls;

// Makes the layout form's controls one at a time in tab order. Each control gets its id, its
// tooltip and an accessible name, and joins the tab chain after the control made before it, so
// the order of the calls is the order of the Tab key.
class FormBuilder {
 public:
  explicit FormBuilder(FormControls& controls) : controls_(controls) {}

  QGroupBox* Group(QWidget* parent, const QString& title, int id = 0);
  QPushButton* Button(QWidget* parent, int id, const QString& caption);
  // A push button only as wide as its caption needs, for rows of several buttons.
  QPushButton* SmallButton(QWidget* parent, int id, const QString& caption);
  QCheckBox* Check(QWidget* parent, int id, const QString& caption);
  QComboBox* Combo(QWidget* parent, int id, const QString& name);
  // A text edit named by a label made beside it.
  QLineEdit* TextEdit(QWidget* parent, int id, QLabel* label);
  // A numeric edit just wide enough for the given number of digits.
  QLineEdit* NumberEdit(QWidget* parent, int id, QLabel* label, int digits);
  ColourSwatch* Swatch(QWidget* parent, int id, const QString& name);
  QRadioButton* Radio(QButtonGroup* group, int value, QWidget* parent, int id,
                      const QString& caption);
  // Nine captionless radio buttons laid out three by three inside the box; button i has value
  // i, control id ids[i] and a name such as "top left".
  QButtonGroup* PositionGrid(QGroupBox* box, const std::array<int, 9>& ids);

  // A plain label; FormBuilder's edits take it as their buddy and their accessible name.
  static QLabel* Label(QWidget* parent, const QString& text);
  // A static text that wraps to the width it is given.
  static QLabel* WrappedText(QWidget* parent, const QString& text);

 private:
  void Register(int id, QWidget* control, const QString& name);

  FormControls& controls_;
  QWidget* previous_ = nullptr;
};
