#include "shell/form/FormExchange.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QRadioButton>
#include <string>
#include <type_traits>

#include "layout/ColourText.h"
#include "platform/ModalQuestions.h"
#include "platform/QtColour.h"
#include "shell/FieldNumber.h"
#include "shell/form/ColourSwatch.h"
#include "shell/form/FormControls.h"
#include "shell/form/FormDraft.h"

namespace {

QString ToQt(const std::string& text) { return QString::fromStdString(text); }
std::string FromQt(const QString& text) { return text.toStdString(); }

bool InPart(const FormField& field, FormPart part) {
  return part == FormPart::Whole || field.IsLayoutField() == (part == FormPart::Layout);
}

// Shows or clears one button of an exclusive group. A value from a hand-edited layout may match
// no button, and then none is shown as chosen, which an exclusive group only allows while it is
// not exclusive.
void SetChosen(QRadioButton* button, bool chosen) {
  QButtonGroup* group = button->group();
  group->setExclusive(false);
  button->setChecked(chosen);
  group->setExclusive(true);
}

// Shows a field's value in its control. The kinds are checked against the value's type when the
// table is built, so a kind meets only the type it was made for.
template <typename Value>
void WriteField(const FormControls& controls, const FormField& field, const Value& value) {
  switch (field.Kind) {
    case FieldKind::Number:
      if constexpr (std::is_same_v<Value, std::uint32_t>) {
        controls.Get<QLineEdit>(field.Id)->setText(QString::number(value));
      }
      break;
    case FieldKind::Text:
      if constexpr (std::is_same_v<Value, std::string>) {
        controls.Get<QLineEdit>(field.Id)->setText(ToQt(value));
      }
      break;
    case FieldKind::Check:
      if constexpr (std::is_same_v<Value, bool>) {
        controls.Get<QCheckBox>(field.Id)->setChecked(value);
      }
      break;
    case FieldKind::Radio:
      if constexpr (std::is_integral_v<Value>) {
        SetChosen(controls.Get<QRadioButton>(field.Id),
                  static_cast<std::int32_t>(value) == field.Value);
      }
      break;
    case FieldKind::Colour:
      if constexpr (std::is_same_v<Value, std::string>) {
        controls.Get<ColourSwatch>(field.Id)->SetColour(ToQColor(ParseColour(value)));
      }
      break;
    case FieldKind::List:
      if constexpr (std::is_same_v<Value, std::int32_t>) {
        QComboBox* list = controls.Get<QComboBox>(field.Id);
        list->setCurrentIndex(value >= 0 && value < list->count() ? value : -1);
      } else if constexpr (std::is_same_v<Value, std::string>) {
        // A text the list does not hold leaves the list's own choice, which the form made.
        QComboBox* list = controls.Get<QComboBox>(field.Id);
        if (const int found = list->findData(ToQt(value)); found >= 0) list->setCurrentIndex(found);
      }
      break;
    default:
      break;
  }
}

// Takes a field's value back from its control; numbers are read apart, in their order of checks.
template <typename Value>
void ReadField(const FormControls& controls, const FormField& field, Value& value) {
  switch (field.Kind) {
    case FieldKind::Text:
      if constexpr (std::is_same_v<Value, std::string>) {
        value = FromQt(controls.Get<QLineEdit>(field.Id)->text());
      }
      break;
    case FieldKind::Check:
      if constexpr (std::is_same_v<Value, bool>) {
        value = controls.Get<QCheckBox>(field.Id)->isChecked();
      }
      break;
    case FieldKind::Radio:
      if constexpr (std::is_integral_v<Value>) {
        if (controls.Get<QRadioButton>(field.Id)->isChecked()) {
          value = static_cast<Value>(field.Value);
        }
      }
      break;
    case FieldKind::Colour:
      if constexpr (std::is_same_v<Value, std::string>) {
        value = ColourText(ToColourRef(controls.Get<ColourSwatch>(field.Id)->Colour()));
      }
      break;
    case FieldKind::List:
      if constexpr (std::is_same_v<Value, std::int32_t>) {
        if (const int chosen = controls.Get<QComboBox>(field.Id)->currentIndex(); chosen >= 0) {
          value = chosen;
        }
      } else if constexpr (std::is_same_v<Value, std::string>) {
        // The item's data, not its text: the text adds the count of pupils.
        QComboBox* list = controls.Get<QComboBox>(field.Id);
        if (list->currentIndex() >= 0) value = FromQt(list->currentData().toString());
      }
      break;
    default:
      break;
  }
}

}  // namespace

void FormExchange::Write(const FormDraft& draft, FormPart part) const {
  for (const FormField& field : FormFields()) {
    if (!field.IsField() || !InPart(field, part)) continue;
    VisitValue(draft, field.Target,
               [&](const auto& value) { WriteField(controls_, field, value); });
  }
}

bool FormExchange::Read(FormDraft& draft) const {
  for (const FormField& field : FormFields()) {
    if (!field.IsField() || field.Kind == FieldKind::Number) continue;
    VisitValue(draft, field.Target, [&](auto& value) { ReadField(controls_, field, value); });
  }
  for (const FormField& field : FormFields()) {
    if (field.Kind != FieldKind::Number) continue;
    auto* edit = controls_.Get<QLineEdit>(field.Id);
    const FieldNumber number = ReadFieldNumber(FromQt(edit->text()), field.Low, field.High);
    if (!number.Value) {
      ModalQuestions::Current().ShowMessage(number.Message);
      edit->setFocus(Qt::OtherFocusReason);
      edit->selectAll();
      return false;
    }
    ValueIn<std::uint32_t>(draft, field.Target) = *number.Value;
  }
  return true;
}
