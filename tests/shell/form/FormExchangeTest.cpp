#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QRadioButton>
#include <limits>
#include <string>

#include "FormTestSupport.h"
#include "platform/ModalQuestions.h"
#include "shell/form/ColourSwatch.h"
#include "shell/form/FormControlIds.h"
#include "shell/form/FormExchange.h"

namespace {

QLineEdit* Edit(const FormControls& controls, int id) { return controls.Get<QLineEdit>(id); }

// The id of the chosen button of the radio button's group, or 0 when none is chosen.
int ChosenOf(const FormControls& controls, int id) {
  return FormControls::IdOf(controls.Get<QRadioButton>(id)->group()->checkedButton());
}

// SampleDraft with every flag and two-way choice turned the other way, so that a control read
// back as a constant would show in one of the two round trips.
FormDraft OtherSampleDraft() {
  FormDraft d = SampleDraft();
  Montage& m = d.Layout;
  for (bool Montage::*flag :
       {&Montage::OuterMargin3d, &Montage::Portrait, &Montage::BackgroundOverwrite,
        &Montage::DropShadowRight, &Montage::InnerFrame3d, &Montage::OuterFrame3d,
        &Montage::PrintNames, &Montage::PrintNames2Lines, &Montage::PrintNamesFirstLast,
        &Montage::SortFirstName, &Montage::PrintLogo, &Montage::SingleLogo, &Montage::LogoLeft,
        &Montage::LogoTop, &Montage::CaptionAbove}) {
    m.*flag = !(m.*flag);
  }
  d.Settings.SamplePortrait = !d.Settings.SamplePortrait;
  d.Paper.Row = 0;
  d.Paper.Width = 0;
  m.BackgroundType = 0;
  m.MainImagePosition = 0;
  m.CaptionPosition = 4;
  d.Settings.NumImages = 3;
  d.Settings.SampleCaptionText = {"", "a", "b", "c"};
  d.Settings.ClassListPath.clear();
  return d;
}

class FormExchangeTest : public testing::Test {
 protected:
  BuiltForm form_;
  const FormControls& c_ = form_.Controls;
  FormExchange exchange_{form_.Controls};
  ScopedScriptedQuestions questions_;
};

TEST_F(FormExchangeTest, ValidValuesRoundTripExactly) {
  for (const FormDraft& written : {SampleDraft(), OtherSampleDraft()}) {
    exchange_.Write(written);
    FormDraft read;
    EXPECT_TRUE(exchange_.Read(read));
    EXPECT_TRUE(SameShown(read, written));
  }
  EXPECT_TRUE(questions_.Messages().empty());
}

TEST_F(FormExchangeTest, WritingShowsEachValueInItsControl) {
  exchange_.Write(SampleDraft());
  EXPECT_EQ(Edit(c_, FormId::NumImages)->text(), "9999");
  EXPECT_EQ(Edit(c_, FormId::PaperWidth)->text(), "4294967295");
  EXPECT_EQ(c_.Get<QComboBox>(FormId::Paper)->currentText(), "Custom");
  EXPECT_EQ(Edit(c_, FormId::SampleImagePath)->text(),
            QString::fromUtf8("/photos/Schüler 5ä/portrait.jpg"));
  EXPECT_EQ(Edit(c_, FormId::ClassListPath)->text(),
            QString::fromUtf8("/photos/Klasse 5ä/class, \"final\".csv"));
  EXPECT_EQ(Edit(c_, FormId::SampleCaptionLine2)->text(), QString::fromUtf8("Mrs Ng — 2024"));
  EXPECT_TRUE(c_.Get<QCheckBox>(FormId::LogoTop)->isChecked());
  EXPECT_EQ(c_.Get<ColourSwatch>(FormId::OuterMarginColour)->Colour(), QColor(0x12, 0x34, 0x56));
  EXPECT_EQ(c_.Get<ColourSwatch>(FormId::BackgroundColour)->Colour(), QColor(0xFE, 0x01, 0x80));
  EXPECT_EQ(ChosenOf(c_, FormId::BackgroundNone), 1055);
  EXPECT_EQ(ChosenOf(c_, FormId::MainPositions[0]), 1031);
  EXPECT_EQ(ChosenOf(c_, FormId::CaptionPositions[0]), 1081);
  EXPECT_EQ(ChosenOf(c_, FormId::DropShadowLeft), 1065);
  EXPECT_EQ(ChosenOf(c_, FormId::PrintFirstLast), 1047);
  EXPECT_EQ(ChosenOf(c_, FormId::SortFirstLast), 1049);

  exchange_.Write(OtherSampleDraft());
  EXPECT_EQ(ChosenOf(c_, FormId::DropShadowLeft), 1064);
  EXPECT_EQ(ChosenOf(c_, FormId::PrintFirstLast), 1048);
  EXPECT_EQ(ChosenOf(c_, FormId::SortFirstLast), 1050);
  EXPECT_EQ(ChosenOf(c_, FormId::BackgroundNone), 1054);
  EXPECT_FALSE(c_.Get<QCheckBox>(FormId::LogoTop)->isChecked());
}

TEST_F(FormExchangeTest, TooFewImagesIsReportedOnceWithTheFocusOnTheField) {
  form_.Window.show();
  exchange_.Write(SampleDraft());
  QLineEdit* numImages = Edit(c_, FormId::NumImages);
  numImages->setText("2");
  FormDraft draft = SampleDraft();
  EXPECT_FALSE(exchange_.Read(draft));
  EXPECT_EQ(questions_.Messages(),
            std::vector<std::string>{"Enter an integer between 3 and 9999."});
  EXPECT_EQ(form_.Window.focusWidget(), numImages);
  EXPECT_EQ(numImages->selectedText(), "2");
  EXPECT_EQ(draft.Settings.NumImages, 9999u);
}

TEST_F(FormExchangeTest, OfSeveralInvalidFieldsTheFirstInReadOrderIsReported) {
  exchange_.Write(SampleDraft());
  Edit(c_, FormId::LogoTransparencyTolerance)->setText("x");
  Edit(c_, FormId::CropHeight)->setText("0");
  Edit(c_, FormId::PaperHeight)->setText("abc");
  FormDraft draft;
  EXPECT_FALSE(exchange_.Read(draft));
  EXPECT_EQ(questions_.Messages(), std::vector<std::string>{"Enter a positive integer."});
  EXPECT_EQ(form_.Window.focusWidget(), c_.ById(FormId::PaperHeight));

  questions_.Forget();
  Edit(c_, FormId::PaperHeight)->setText("1270");
  EXPECT_FALSE(exchange_.Read(draft));
  EXPECT_EQ(questions_.Messages(), std::vector<std::string>{"Enter an integer between 1 and 100."});
  EXPECT_EQ(form_.Window.focusWidget(), c_.ById(FormId::CropHeight));
  EXPECT_EQ(draft.Paper.Height, 1270u);
}

// The numeric fields in the order they are read, with the range each accepts.
struct RangeCase {
  int Id;
  std::uint32_t Low;
  std::uint32_t High;
};

constexpr std::uint32_t kAny = std::numeric_limits<std::uint32_t>::max();

const RangeCase kReadOrder[] = {
    {1005, 0, kAny}, {1004, 0, kAny}, {1008, 3, 9999}, {1014, 1, 100},
    {1015, 1, 100},  {1018, 1, 10},   {1021, 0, 50},   {1032, 0, kAny},
    {1035, 0, kAny}, {1038, 0, kAny}, {1061, 0, 50},   {1062, 0, 20},
    {1071, 0, 4},    {1084, 1, 50},   {1087, 1, 50},   {1093, 0, 500},
};

// The number the draft holds for the field.
std::uint32_t& NumberIn(FormDraft& draft, int id) {
  return ValueIn<std::uint32_t>(draft, FormFieldFor(id)->Target);
}

std::string RangeMessage(const RangeCase& field) {
  return "Enter an integer between " + std::to_string(field.Low) + " and " +
         std::to_string(field.High) + ".";
}

TEST_F(FormExchangeTest, EachFieldIsCheckedAgainstItsRangeInReadOrder) {
  FormDraft shown = SampleDraft();
  // What the members held before the read: a number that no field shows.
  FormDraft before = OtherSampleDraft();
  for (const RangeCase& field : kReadOrder) NumberIn(before, field.Id) = 123456;
  before.Layout.InnerFrameColour = "000000";
  for (std::size_t failing = 0; failing < std::size(kReadOrder); ++failing) {
    const RangeCase& field = kReadOrder[failing];
    // One below the bottom of the range, negative where it starts at 0, and one past the top,
    // past 32 bits where the range has no top of its own.
    for (const std::string& bad :
         {field.Low == 0 ? std::string("-1") : std::to_string(field.Low - 1),
          std::to_string(field.High + 1ull)}) {
      SCOPED_TRACE(std::to_string(field.Id) + ": " + bad);
      exchange_.Write(shown);
      Edit(c_, field.Id)->setText(QString::fromStdString(bad));
      questions_.Forget();
      FormDraft read = before;
      EXPECT_FALSE(exchange_.Read(read));
      EXPECT_EQ(questions_.Messages(), std::vector<std::string>{RangeMessage(field)});
      EXPECT_EQ(form_.Window.focusWidget(), c_.ById(field.Id));
      EXPECT_EQ(Edit(c_, field.Id)->selectedText().toStdString(), bad);
      // Fields read before the failing one have taken their new values; it and the later ones
      // keep what they held.
      for (std::size_t i = 0; i < std::size(kReadOrder); ++i) {
        const int id = kReadOrder[i].Id;
        EXPECT_EQ(NumberIn(read, id), NumberIn(i < failing ? shown : before, id)) << id;
      }
      // Every control that holds no number is read before the numbers.
      EXPECT_EQ(read.Settings.SampleCaptionText, shown.Settings.SampleCaptionText);
      EXPECT_EQ(read.Layout.CaptionPosition, shown.Layout.CaptionPosition);
      EXPECT_EQ(read.Layout.LogoTop, shown.Layout.LogoTop);
      EXPECT_EQ(read.Layout.InnerFrameColour, shown.Layout.InnerFrameColour);
    }
  }
}

TEST_F(FormExchangeTest, RangesIncludeBothEnds) {
  for (const RangeCase& field : kReadOrder) {
    for (std::uint32_t end : {field.Low, field.High}) {
      exchange_.Write(SampleDraft());
      Edit(c_, field.Id)->setText(QString::number(end));
      FormDraft read;
      ASSERT_TRUE(exchange_.Read(read)) << field.Id << " " << end;
      EXPECT_EQ(NumberIn(read, field.Id), end) << field.Id;
    }
  }
  EXPECT_TRUE(questions_.Messages().empty());
}

TEST_F(FormExchangeTest, SpacesAndLeadingZerosAreReadAsTheNumber) {
  exchange_.Write(SampleDraft());
  Edit(c_, FormId::NumImages)->setText("  007 ");
  Edit(c_, FormId::OuterMargin)->setText("\t050");
  FormDraft read;
  EXPECT_TRUE(exchange_.Read(read));
  EXPECT_EQ(read.Settings.NumImages, 7u);
  EXPECT_EQ(read.Layout.OuterMargin, 50u);
}

TEST_F(FormExchangeTest, AChoiceWithoutAButtonIsKeptAsItWas) {
  FormDraft hand = SampleDraft();
  hand.Layout.MainImagePosition = 12;
  hand.Layout.CaptionPosition = -1;
  hand.Layout.BackgroundType = 7;
  hand.Paper.Row = 9;
  exchange_.Write(hand);
  EXPECT_EQ(ChosenOf(c_, FormId::MainPositions[0]), 0);
  EXPECT_EQ(ChosenOf(c_, FormId::CaptionPositions[0]), 0);
  EXPECT_EQ(ChosenOf(c_, FormId::BackgroundNone), 0);
  EXPECT_EQ(c_.Get<QComboBox>(FormId::Paper)->currentIndex(), -1);
  FormDraft read = hand;
  EXPECT_TRUE(exchange_.Read(read));
  EXPECT_TRUE(SameShown(read, hand));

  // Once the user chooses, the choice is read.
  c_.Get<QRadioButton>(FormId::CaptionPositions[2])->setChecked(true);
  EXPECT_TRUE(exchange_.Read(read));
  EXPECT_EQ(read.Layout.CaptionPosition, 2);
  // And a later valid value shows its button again with the others cleared.
  exchange_.Write(SampleDraft());
  EXPECT_EQ(ChosenOf(c_, FormId::MainPositions[0]), 1031);
  EXPECT_EQ(ChosenOf(c_, FormId::CaptionPositions[0]), 1081);
}

TEST_F(FormExchangeTest, SwatchColoursAreReadAsTheyAreShown) {
  exchange_.Write(SampleDraft());
  c_.Get<ColourSwatch>(FormId::InnerFrameColour)->SetColour(QColor(0x0A, 0x0B, 0x0C));
  FormDraft read;
  EXPECT_TRUE(exchange_.Read(read));
  EXPECT_EQ(read.Layout.InnerFrameColour, "0A0B0C");
  EXPECT_EQ(read.Layout.OuterFrameColour, "010203");
}

}  // namespace
