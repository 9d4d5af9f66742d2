#include "shell/form/FormBuilder.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <QStyleOptionFrame>

#include "shell/form/ColourSwatch.h"
#include "shell/form/FormControls.h"
#include "shell/form/FormFields.h"

namespace {

// Screen readers announce the accessible name; a mnemonic marker is not part of it.
QString WithoutMnemonic(QString text) { return text.remove(QLatin1Char('&')); }

QString LabelOf(const FormField& row) { return QString::fromUtf8(row.Label); }

}  // namespace

const FormField& FormBuilder::Row(int id) {
  const FormField* row = FormFieldFor(id);
  // The builder places only controls of the table; another id is a fault of the layout code.
  Q_ASSERT(row != nullptr);
  return *row;
}

QGroupBox* FormBuilder::Group(QWidget* parent, const QString& title, int id) {
  auto* box = new QGroupBox(title, parent);
  if (id != 0) Register(id, box);
  return box;
}

QPushButton* FormBuilder::Button(QWidget* parent, int id) {
  const QString caption = LabelOf(Row(id));
  auto* button = new QPushButton(caption, parent);
  // Enter applies the whole form, so no button may take it as the default button.
  button->setAutoDefault(false);
  // Some styles give every captioned button a generous minimum width; a row of short captions
  // such as "New", "Open" and "Save" would then not fit a narrow column.
  const QFontMetrics metrics = button->fontMetrics();
  button->setMinimumWidth(metrics.horizontalAdvance(caption) + metrics.height() + 4);
  Register(id, button);
  return button;
}

QPushButton* FormBuilder::SmallButton(QWidget* parent, int id) {
  QPushButton* button = Button(parent, id);
  button->setMaximumWidth(button->minimumWidth() + button->fontMetrics().height());
  return button;
}

QCheckBox* FormBuilder::Check(QWidget* parent, int id) {
  auto* box = new QCheckBox(LabelOf(Row(id)), parent);
  Register(id, box);
  return box;
}

QComboBox* FormBuilder::List(QWidget* parent, int id) {
  auto* combo = new QComboBox(parent);
  Register(id, combo);
  return combo;
}

QLabel* FormBuilder::FieldLabel(QWidget* parent, int id) { return Label(parent, LabelOf(Row(id))); }

QLineEdit* FormBuilder::TextEdit(QWidget* parent, int id, QLabel* label) {
  auto* edit = new QLineEdit(parent);
  label->setBuddy(edit);
  Register(id, edit);
  return edit;
}

QLineEdit* FormBuilder::NumberEdit(QWidget* parent, int id, QLabel* label, int digits) {
  QLineEdit* edit = TextEdit(parent, id, label);
  QStyleOptionFrame option;
  option.initFrom(edit);
  const QFontMetrics metrics = edit->fontMetrics();
  const QSize text(metrics.horizontalAdvance(QString(digits + 1, QLatin1Char('0'))),
                   metrics.height());
  edit->setFixedWidth(
      edit->style()->sizeFromContents(QStyle::CT_LineEdit, &option, text, edit).width() + 4);
  return edit;
}

ColourSwatch* FormBuilder::Swatch(QWidget* parent, int id) {
  auto* swatch = new ColourSwatch(parent);
  Register(id, swatch);
  return swatch;
}

QRadioButton* FormBuilder::Radio(QButtonGroup* group, QWidget* parent, int id) {
  return Radio(group, parent, id, LabelOf(Row(id)));
}

QRadioButton* FormBuilder::Radio(QButtonGroup* group, QWidget* parent, int id,
                                 const QString& caption) {
  auto* button = new QRadioButton(caption, parent);
  group->addButton(button, Row(id).Value);
  Register(id, button);
  return button;
}

QButtonGroup* FormBuilder::PositionGrid(QGroupBox* box, const std::array<int, 9>& ids) {
  auto* group = new QButtonGroup(box);
  auto* grid = new QGridLayout(box);
  grid->setHorizontalSpacing(box->fontMetrics().height() / 2);
  grid->setVerticalSpacing(2);
  for (int place = 0; place < 9; ++place) {
    // The row's label names the place for assistive technology; the grid itself shows it.
    QRadioButton* button = Radio(group, box, ids[place], QString());
    grid->addWidget(button, place / 3, place % 3, Qt::AlignCenter);
  }
  return group;
}

QLabel* FormBuilder::Label(QWidget* parent, const QString& text) {
  return new QLabel(text, parent);
}

QLabel* FormBuilder::WrappedText(QWidget* parent, const QString& text) {
  auto* label = new QLabel(text, parent);
  label->setWordWrap(true);
  return label;
}

void FormBuilder::Register(int id, QWidget* control) {
  controls_.Register(id, control);
  if (const FormField* row = FormFieldFor(id)) {
    if (row->Tooltip != nullptr) control->setToolTip(QString::fromUtf8(row->Tooltip));
    control->setAccessibleName(WithoutMnemonic(LabelOf(*row)));
  }
  if (control->focusPolicy() & Qt::TabFocus) {
    if (previous_ != nullptr) QWidget::setTabOrder(previous_, control);
    previous_ = control;
  }
}
