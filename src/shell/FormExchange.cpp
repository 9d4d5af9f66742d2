#include "shell/FormExchange.h"

#include <QAbstractButton>
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <string>

#include "platform/ModalQuestions.h"
#include "platform/QtColour.h"
#include "shell/ColourSwatch.h"
#include "shell/FieldNumber.h"
#include "shell/FormControls.h"
#include "shell/FormValues.h"

namespace {

// The controls that hold text, flags, choices and colours; the numeric fields have their own
// table because their order of reading matters.
template <typename ControlType, typename ValueType>
struct Binding {
  ControlType* FormControls::*Control;
  ValueType FormValues::*Member;
};

// Member pointers to the controls, not the controls themselves, so one table serves every form.
constexpr Binding<QLineEdit, std::string> kTexts[] = {
    {&FormControls::SampleImagePath, &FormValues::SampleImagePath},
    {&FormControls::BackgroundImage, &FormValues::BackgroundImage},
    {&FormControls::LogoImage, &FormValues::LogoImage},
    {&FormControls::ClassListPath, &FormValues::ClassListPath},
};

constexpr Binding<QCheckBox, bool> kChecks[] = {
    {&FormControls::SamplePortrait, &FormValues::SamplePortrait},
    {&FormControls::OuterMargin3d, &FormValues::OuterMargin3d},
    {&FormControls::Portrait, &FormValues::Portrait},
    {&FormControls::BackgroundOverwrite, &FormValues::BackgroundOverwrite},
    {&FormControls::InnerFrame3d, &FormValues::InnerFrame3d},
    {&FormControls::OuterFrame3d, &FormValues::OuterFrame3d},
    {&FormControls::PrintNames, &FormValues::PrintNames},
    {&FormControls::PrintNames2Lines, &FormValues::PrintNames2Lines},
    {&FormControls::PrintLogo, &FormValues::PrintLogo},
    {&FormControls::SingleLogo, &FormValues::SingleLogo},
    {&FormControls::LogoLeft, &FormValues::LogoLeft},
    {&FormControls::LogoTop, &FormValues::LogoTop},
    {&FormControls::CaptionAbove, &FormValues::CaptionAbove},
};

constexpr Binding<QButtonGroup, std::int32_t> kChoices[] = {
    {&FormControls::BackgroundType, &FormValues::BackgroundType},
    {&FormControls::MainImagePosition, &FormValues::MainImagePosition},
    {&FormControls::CaptionPosition, &FormValues::CaptionPosition},
};

constexpr Binding<QButtonGroup, bool> kFlagChoices[] = {
    {&FormControls::DropShadowRight, &FormValues::DropShadowRight},
    {&FormControls::PrintNamesFirstLast, &FormValues::PrintNamesFirstLast},
    {&FormControls::SortFirstName, &FormValues::SortFirstName},
};

constexpr Binding<ColourSwatch, ColourRef> kColours[] = {
    {&FormControls::OuterMarginColour, &FormValues::OuterMarginColour},
    {&FormControls::BackgroundColour, &FormValues::BackgroundColour},
    {&FormControls::InnerFrameColour, &FormValues::InnerFrameColour},
    {&FormControls::OuterFrameColour, &FormValues::OuterFrameColour},
};

QString ToQt(const std::string& text) { return QString::fromStdString(text); }
std::string FromQt(const QString& text) { return text.toStdString(); }

void Choose(QButtonGroup* group, int value) {
  if (QAbstractButton* button = group->button(value)) {
    button->setChecked(true);
    return;
  }
  // A value from a hand-edited layout may match no button; then none is shown as chosen, which
  // an exclusive group only allows while it is not exclusive.
  group->setExclusive(false);
  for (QAbstractButton* button : group->buttons()) button->setChecked(false);
  group->setExclusive(true);
}

// The list's text is that of its chosen item; a text that is no item chooses none.
void ChooseText(QComboBox* combo, const std::string& text) {
  combo->setCurrentIndex(combo->findText(ToQt(text), Qt::MatchExactly | Qt::MatchCaseSensitive));
}

}  // namespace

void FormExchange::Write(const FormValues& values) const {
  const FormControls& c = controls_;
  ChooseText(c.RecentFiles, values.RecentFile);
  c.Paper->setCurrentIndex(
      values.PaperRow >= 0 && values.PaperRow < c.Paper->count() ? values.PaperRow : -1);
  for (const auto& text : kTexts) (c.*text.Control)->setText(ToQt(values.*text.Member));
  for (std::size_t i = 0; i < c.SampleCaptionText.size(); ++i) {
    c.SampleCaptionText[i]->setText(ToQt(values.SampleCaptionText[i]));
  }
  for (const auto& check : kChecks) (c.*check.Control)->setChecked(values.*check.Member);
  for (const auto& choice : kChoices) Choose(c.*choice.Control, values.*choice.Member);
  for (const auto& choice : kFlagChoices) Choose(c.*choice.Control, values.*choice.Member);
  for (const auto& colour : kColours) {
    const ColourRef rgb = values.*colour.Member;
    (c.*colour.Control)->SetColour(ToQColor(rgb));
  }
  for (const NumericField& field : NumericFieldsInReadOrder()) {
    static_cast<QLineEdit*>(c.ById(field.Id))->setText(QString::number(values.*field.Member));
  }
}

bool FormExchange::Read(FormValues& values) const {
  const FormControls& c = controls_;
  values.RecentFile =
      c.RecentFiles->currentIndex() >= 0 ? FromQt(c.RecentFiles->currentText()) : std::string();
  if (c.Paper->currentIndex() >= 0) values.PaperRow = c.Paper->currentIndex();
  for (const auto& text : kTexts) values.*text.Member = FromQt((c.*text.Control)->text());
  for (std::size_t i = 0; i < c.SampleCaptionText.size(); ++i) {
    values.SampleCaptionText[i] = FromQt(c.SampleCaptionText[i]->text());
  }
  for (const auto& check : kChecks) values.*check.Member = (c.*check.Control)->isChecked();
  for (const auto& choice : kChoices) {
    if (int chosen = (c.*choice.Control)->checkedId(); chosen >= 0) values.*choice.Member = chosen;
  }
  for (const auto& choice : kFlagChoices) {
    if (int chosen = (c.*choice.Control)->checkedId(); chosen >= 0) {
      values.*choice.Member = chosen != 0;
    }
  }
  for (const auto& colour : kColours) {
    const QColor shown = (c.*colour.Control)->Colour();
    values.*colour.Member = ToColourRef(shown);
  }

  for (const NumericField& field : NumericFieldsInReadOrder()) {
    auto* edit = static_cast<QLineEdit*>(c.ById(field.Id));
    const FieldNumber number = ReadFieldNumber(FromQt(edit->text()), field.Low, field.High);
    if (!number.Value) {
      ModalQuestions::Current().ShowMessage(number.Message);
      edit->setFocus(Qt::OtherFocusReason);
      edit->selectAll();
      return false;
    }
    values.*field.Member = *number.Value;
  }
  return true;
}
