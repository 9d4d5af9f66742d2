#include "shell/FormBuilder.h"

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

#include "shell/ColourSwatch.h"
#include "shell/FormControls.h"
#include "shell/FormTooltips.h"

namespace {

constexpr const char* kPlaceNames[9] = {
    "top left",     "top centre",  "top right",     "middle left",  "middle centre",
    "middle right", "bottom left", "bottom centre", "bottom right",
};

// Screen readers announce the accessible name; a mnemonic marker is not part of it.
QString WithoutMnemonic(QString text) { return text.remove(QLatin1Char('&')); }

}  // namespace

QGroupBox* FormBuilder::Group(QWidget* parent, const QString& title, int id) {
  auto* box = new QGroupBox(title, parent);
  if (id != 0) Register(id, box, QString());
  return box;
}

QPushButton* FormBuilder::Button(QWidget* parent, int id, const QString& caption) {
  auto* button = new QPushButton(caption, parent);
  // Enter applies the whole form, so no button may take it as the default button.
  button->setAutoDefault(false);
  // Some styles give every captioned button a generous minimum width; a row of short captions
  // such as "New", "Open" and "Save" would then not fit a narrow column.
  const QFontMetrics metrics = button->fontMetrics();
  button->setMinimumWidth(metrics.horizontalAdvance(caption) + metrics.height() + 4);
  Register(id, button, caption);
  return button;
}

QPushButton* FormBuilder::SmallButton(QWidget* parent, int id, const QString& caption) {
  QPushButton* button = Button(parent, id, caption);
  button->setMaximumWidth(button->minimumWidth() + button->fontMetrics().height());
  return button;
}

QCheckBox* FormBuilder::Check(QWidget* parent, int id, const QString& caption) {
  auto* box = new QCheckBox(caption, parent);
  Register(id, box, caption);
  return box;
}

QComboBox* FormBuilder::Combo(QWidget* parent, int id, const QString& name) {
  auto* combo = new QComboBox(parent);
  Register(id, combo, name);
  return combo;
}

QLineEdit* FormBuilder::TextEdit(QWidget* parent, int id, QLabel* label) {
  auto* edit = new QLineEdit(parent);
  label->setBuddy(edit);
  Register(id, edit, label->text());
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

ColourSwatch* FormBuilder::Swatch(QWidget* parent, int id, const QString& name) {
  auto* swatch = new ColourSwatch(parent);
  Register(id, swatch, name);
  return swatch;
}

QRadioButton* FormBuilder::Radio(QButtonGroup* group, int value, QWidget* parent, int id,
                                 const QString& caption) {
  auto* button = new QRadioButton(caption, parent);
  group->addButton(button, value);
  Register(id, button, caption);
  return button;
}

QButtonGroup* FormBuilder::PositionGrid(QGroupBox* box, const std::array<int, 9>& ids) {
  auto* group = new QButtonGroup(box);
  auto* grid = new QGridLayout(box);
  grid->setHorizontalSpacing(box->fontMetrics().height() / 2);
  grid->setVerticalSpacing(2);
  for (int place = 0; place < 9; ++place) {
    QRadioButton* button = Radio(group, place, box, ids[place], QString());
    button->setAccessibleName(QString::fromLatin1(kPlaceNames[place]));
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

void FormBuilder::Register(int id, QWidget* control, const QString& name) {
  controls_.Register(id, control);
  if (const char* tip = FormTooltipFor(id)) control->setToolTip(QString::fromUtf8(tip));
  if (!name.isEmpty()) control->setAccessibleName(WithoutMnemonic(name));
  if (control->focusPolicy() & Qt::TabFocus) {
    if (previous_ != nullptr) QWidget::setTabOrder(previous_, control);
    previous_ = control;
  }
}
