#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <limits>
#include <string>

#include "FormTestSupport.h"
#include "platform/ModalQuestions.h"
#include "shell/ColourSwatch.h"
#include "shell/FormControlIds.h"
#include "shell/FormExchange.h"

namespace {

QLineEdit* Edit(const FormControls& controls, int id) {
  return qobject_cast<QLineEdit*>(controls.ById(id));
}

// SampleValues with every flag and two-way choice turned the other way, so that a control read
// back as a constant would show in one of the two round trips.
FormValues OtherSampleValues() {
  FormValues v = SampleValues();
  for (bool FormValues::*flag :
       {&FormValues::SamplePortrait, &FormValues::OuterMargin3d, &FormValues::Portrait,
        &FormValues::BackgroundOverwrite, &FormValues::DropShadowRight, &FormValues::InnerFrame3d,
        &FormValues::OuterFrame3d, &FormValues::PrintNames, &FormValues::PrintNames2Lines,
        &FormValues::PrintNamesFirstLast, &FormValues::SortFirstName, &FormValues::PrintLogo,
        &FormValues::SingleLogo, &FormValues::LogoLeft, &FormValues::LogoTop,
        &FormValues::CaptionAbove}) {
    v.*flag = !(v.*flag);
  }
  v.PaperRow = 0;
  v.BackgroundType = 0;
  v.MainImagePosition = 0;
  v.CaptionPosition = 4;
  v.NumImages = 3;
  v.PaperWidth = 0;
  v.SampleCaptionText = {"", "a", "b", "c"};
  v.ClassListPath.clear();
  return v;
}

class FormExchangeTest : public testing::Test {
 protected:
  BuiltForm form_;
  const FormControls& c_ = form_.Controls;
  FormExchange exchange_{form_.Controls};
  ScopedScriptedQuestions questions_;
};

TEST_F(FormExchangeTest, ValidValuesRoundTripExactly) {
  for (const FormValues& written : {SampleValues(), OtherSampleValues()}) {
    exchange_.Write(written);
    FormValues read;
    EXPECT_TRUE(exchange_.Read(read));
    EXPECT_TRUE(read == written);
  }
  EXPECT_TRUE(questions_.Messages().empty());
}

TEST_F(FormExchangeTest, WritingShowsEachValueInItsControl) {
  const FormValues values = SampleValues();
  exchange_.Write(values);
  EXPECT_EQ(c_.NumImages->text(), "9999");
  EXPECT_EQ(c_.PaperWidth->text(), "4294967295");
  EXPECT_EQ(c_.Paper->currentText(), "Custom");
  EXPECT_EQ(c_.SampleImagePath->text(), QString::fromUtf8("/photos/Schüler 5ä/portrait.jpg"));
  EXPECT_EQ(c_.ClassListPath->text(), QString::fromUtf8("/photos/Klasse 5ä/class, \"final\".csv"));
  EXPECT_EQ(c_.SampleCaptionText[1]->text(), QString::fromUtf8("Mrs Ng — 2024"));
  EXPECT_TRUE(c_.LogoTop->isChecked());
  EXPECT_EQ(c_.OuterMarginColour->Colour(), QColor(0x12, 0x34, 0x56));
  EXPECT_EQ(c_.BackgroundColour->Colour(), QColor(0xFE, 0x01, 0x80));
  EXPECT_EQ(FormControls::IdOf(c_.BackgroundType->checkedButton()), 1055);
  EXPECT_EQ(FormControls::IdOf(c_.MainImagePosition->checkedButton()), 1031);
  EXPECT_EQ(FormControls::IdOf(c_.CaptionPosition->checkedButton()), 1081);
  EXPECT_EQ(FormControls::IdOf(c_.DropShadowRight->checkedButton()), 1065);
  EXPECT_EQ(FormControls::IdOf(c_.PrintNamesFirstLast->checkedButton()), 1047);
  EXPECT_EQ(FormControls::IdOf(c_.SortFirstName->checkedButton()), 1049);

  const FormValues other = OtherSampleValues();
  exchange_.Write(other);
  EXPECT_EQ(FormControls::IdOf(c_.DropShadowRight->checkedButton()), 1064);
  EXPECT_EQ(FormControls::IdOf(c_.PrintNamesFirstLast->checkedButton()), 1048);
  EXPECT_EQ(FormControls::IdOf(c_.SortFirstName->checkedButton()), 1050);
  EXPECT_EQ(FormControls::IdOf(c_.BackgroundType->checkedButton()), 1054);
  EXPECT_FALSE(c_.LogoTop->isChecked());
}

TEST_F(FormExchangeTest, TooFewImagesIsReportedOnceWithTheFocusOnTheField) {
  form_.Window.show();
  exchange_.Write(SampleValues());
  c_.NumImages->setText("2");
  FormValues values = SampleValues();
  EXPECT_FALSE(exchange_.Read(values));
  EXPECT_EQ(questions_.Messages(),
            std::vector<std::string>{"Enter an integer between 3 and 9999."});
  EXPECT_EQ(form_.Window.focusWidget(), c_.NumImages);
  EXPECT_EQ(c_.NumImages->selectedText(), "2");
  EXPECT_EQ(values.NumImages, 9999u);
}

TEST_F(FormExchangeTest, OfSeveralInvalidFieldsTheFirstInReadOrderIsReported) {
  exchange_.Write(SampleValues());
  Edit(c_, FormId::LogoTransparencyTolerance)->setText("x");
  Edit(c_, FormId::CropHeight)->setText("0");
  Edit(c_, FormId::PaperHeight)->setText("abc");
  FormValues values;
  EXPECT_FALSE(exchange_.Read(values));
  EXPECT_EQ(questions_.Messages(), std::vector<std::string>{"Enter a positive integer."});
  EXPECT_EQ(form_.Window.focusWidget(), c_.PaperHeight);

  questions_.Forget();
  c_.PaperHeight->setText("1270");
  EXPECT_FALSE(exchange_.Read(values));
  EXPECT_EQ(questions_.Messages(), std::vector<std::string>{"Enter an integer between 1 and 100."});
  EXPECT_EQ(form_.Window.focusWidget(), c_.CropHeight);
  EXPECT_EQ(values.PaperHeight, 1270u);
}

// The numeric fields in the order they are read, with the range each accepts.
struct RangeCase {
  int Id;
  std::uint32_t FormValues::*Member;
  std::uint32_t Low;
  std::uint32_t High;
};

constexpr std::uint32_t kAny = std::numeric_limits<std::uint32_t>::max();

const RangeCase kReadOrder[] = {
    {1005, &FormValues::PaperWidth, 0, kAny},
    {1004, &FormValues::PaperHeight, 0, kAny},
    {1008, &FormValues::NumImages, 3, 9999},
    {1014, &FormValues::CropHeight, 1, 100},
    {1015, &FormValues::CropWidth, 1, 100},
    {1018, &FormValues::MainImageMultiple, 1, 10},
    {1021, &FormValues::ImageMargin, 0, 50},
    {1032, &FormValues::OuterMargin, 0, kAny},
    {1035, &FormValues::InnerFrame, 0, kAny},
    {1038, &FormValues::OuterFrame, 0, kAny},
    {1061, &FormValues::DropShadowWidth, 0, 50},
    {1062, &FormValues::DropShadowDepth, 0, 20},
    {1071, &FormValues::NumCaptionLines, 0, 4},
    {1084, &FormValues::CaptionRows, 1, 50},
    {1087, &FormValues::CaptionCols, 1, 50},
    {1093, &FormValues::LogoTransparencyTolerance, 0, 500},
};

std::string RangeMessage(const RangeCase& field) {
  return "Enter an integer between " + std::to_string(field.Low) + " and " +
         std::to_string(field.High) + ".";
}

TEST_F(FormExchangeTest, EachFieldIsCheckedAgainstItsRangeInReadOrder) {
  const FormValues shown = SampleValues();
  // What the members held before the read: a number that no field shows.
  FormValues before = OtherSampleValues();
  for (const RangeCase& field : kReadOrder) before.*field.Member = 123456;
  before.InnerFrameColour = 0;
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
      FormValues values = before;
      EXPECT_FALSE(exchange_.Read(values));
      EXPECT_EQ(questions_.Messages(), std::vector<std::string>{RangeMessage(field)});
      EXPECT_EQ(form_.Window.focusWidget(), c_.ById(field.Id));
      EXPECT_EQ(Edit(c_, field.Id)->selectedText().toStdString(), bad);
      // Fields read before the failing one have taken their new values; it and the later ones
      // keep what they held.
      for (std::size_t i = 0; i < std::size(kReadOrder); ++i) {
        const auto member = kReadOrder[i].Member;
        EXPECT_EQ(values.*member, i < failing ? shown.*member : before.*member) << kReadOrder[i].Id;
      }
      // Every control that holds no number is read before the numbers.
      EXPECT_EQ(values.SampleCaptionText, shown.SampleCaptionText);
      EXPECT_EQ(values.CaptionPosition, shown.CaptionPosition);
      EXPECT_EQ(values.LogoTop, shown.LogoTop);
      EXPECT_EQ(values.InnerFrameColour, shown.InnerFrameColour);
    }
  }
}

TEST_F(FormExchangeTest, RangesIncludeBothEnds) {
  for (const RangeCase& field : kReadOrder) {
    for (std::uint32_t end : {field.Low, field.High}) {
      exchange_.Write(SampleValues());
      Edit(c_, field.Id)->setText(QString::number(end));
      FormValues values;
      ASSERT_TRUE(exchange_.Read(values)) << field.Id << " " << end;
      EXPECT_EQ(values.*field.Member, end) << field.Id;
    }
  }
  EXPECT_TRUE(questions_.Messages().empty());
}

TEST_F(FormExchangeTest, SpacesAndLeadingZerosAreReadAsTheNumber) {
  exchange_.Write(SampleValues());
  c_.NumImages->setText("  007 ");
  Edit(c_, FormId::OuterMargin)->setText("\t050");
  FormValues values;
  EXPECT_TRUE(exchange_.Read(values));
  EXPECT_EQ(values.NumImages, 7u);
  EXPECT_EQ(values.OuterMargin, 50u);
}

TEST_F(FormExchangeTest, AChoiceWithoutAButtonIsKeptAsItWas) {
  FormValues hand = SampleValues();
  hand.MainImagePosition = 12;
  hand.CaptionPosition = -1;
  hand.BackgroundType = 7;
  hand.PaperRow = 9;
  exchange_.Write(hand);
  EXPECT_EQ(c_.MainImagePosition->checkedButton(), nullptr);
  EXPECT_EQ(c_.CaptionPosition->checkedButton(), nullptr);
  EXPECT_EQ(c_.BackgroundType->checkedButton(), nullptr);
  EXPECT_EQ(c_.Paper->currentIndex(), -1);
  FormValues read = hand;
  EXPECT_TRUE(exchange_.Read(read));
  EXPECT_TRUE(read == hand);

  // Once the user chooses, the choice is read.
  static_cast<QAbstractButton*>(c_.ById(FormId::CaptionPositions[2]))->setChecked(true);
  EXPECT_TRUE(exchange_.Read(read));
  EXPECT_EQ(read.CaptionPosition, 2);
  // And a later valid value shows its button again with the others cleared.
  exchange_.Write(SampleValues());
  EXPECT_EQ(FormControls::IdOf(c_.MainImagePosition->checkedButton()), 1031);
  EXPECT_EQ(FormControls::IdOf(c_.CaptionPosition->checkedButton()), 1081);
}

TEST_F(FormExchangeTest, RecentFileTextIsTheChosenEntry) {
  c_.RecentFiles->addItems({"/layouts/a.txt", "/layouts/B.txt"});
  FormValues values = SampleValues();
  values.RecentFile = "/layouts/B.txt";
  exchange_.Write(values);
  EXPECT_EQ(c_.RecentFiles->currentIndex(), 1);
  FormValues read;
  EXPECT_TRUE(exchange_.Read(read));
  EXPECT_EQ(read.RecentFile, "/layouts/B.txt");

  // Paths are compared exactly, case included; a path that is no entry chooses none.
  values.RecentFile = "/layouts/b.txt";
  exchange_.Write(values);
  EXPECT_EQ(c_.RecentFiles->currentIndex(), -1);
  EXPECT_TRUE(exchange_.Read(read));
  EXPECT_EQ(read.RecentFile, "");
}

TEST_F(FormExchangeTest, SwatchColoursAreReadAsTheyAreShown) {
  exchange_.Write(SampleValues());
  c_.InnerFrameColour->SetColour(QColor(0x0A, 0x0B, 0x0C));
  FormValues values;
  EXPECT_TRUE(exchange_.Read(values));
  EXPECT_EQ(values.InnerFrameColour, MakeColourRef(0x0A, 0x0B, 0x0C));
  EXPECT_EQ(values.OuterFrameColour, MakeColourRef(1, 2, 3));
}

}  // namespace
