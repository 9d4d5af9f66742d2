#pragma once

#include <array>

class ColourSwatch;
class FormControls;
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
struct FormField;

// Makes the layout form's controls one at a time in tab order, each from its row of the form's
// table: its caption or label, its tooltip and its accessible name. Each control joins the tab
// chain after the control made before it, so the order of the calls is the order of the Tab key.
class FormBuilder {
 public:
  explicit FormBuilder(FormControls& controls) : controls_(controls) {}

  QGroupBox* Group(QWidget* parent, const QString& title, int id = 0);
  QPushButton* Button(QWidget* parent, int id);
  // A push button only as wide as its caption needs, for rows of several buttons.
  QPushButton* SmallButton(QWidget* parent, int id);
  QCheckBox* Check(QWidget* parent, int id);
  QComboBox* List(QWidget* parent, int id);
  // The label that names a field, to be placed beside it and given to the field's edit.
  static QLabel* FieldLabel(QWidget* parent, int id);
  QLineEdit* TextEdit(QWidget* parent, int id, QLabel* label);
  // A numeric edit just wide enough for the given number of digits.
  QLineEdit* NumberEdit(QWidget* parent, int id, QLabel* label, int digits);
  ColourSwatch* Swatch(QWidget* parent, int id);
  QRadioButton* Radio(QButtonGroup* group, QWidget* parent, int id);
  // Nine captionless radio buttons laid out three by three inside the box, top left to bottom
  // right, named by their rows ("top left").
  QButtonGroup* PositionGrid(QGroupBox* box, const std::array<int, 9>& ids);

  // A plain label or static text.
  static QLabel* Label(QWidget* parent, const QString& text);
  // A static text that wraps to the width it is given.
  static QLabel* WrappedText(QWidget* parent, const QString& text);

 private:
  static const FormField& Row(int id);
  QRadioButton* Radio(QButtonGroup* group, QWidget* parent, int id, const QString& caption);
  void Register(int id, QWidget* control);

  FormControls& controls_;
  QWidget* previous_ = nullptr;
};
