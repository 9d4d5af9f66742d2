// Applying the layout form: nothing reaches the layout or the preview before Update, Enter, a
// save or a test step; then everything does, once, with an undo step for what changed.
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>

#include "MontageFormFixture.h"
#include "images/ImageCache.h"
#include "images/ImageError.h"
#include "layout/Montage.h"
#include "settings/PreviewSettings.h"
#include "shell/form/ColourSwatch.h"
#include "shell/form/FormControlIds.h"
#include "shell/form/FormControls.h"
#include "shell/form/FormFields.h"
#include "support/TestJpeg.h"

namespace {

TEST_F(MontageFormTest, TooFewImagesOnEnterIsReportedOnceAndChangesNothing) {
  form->show();
  Type(FormId::NumImages, "2");
  PressKey(Edit(FormId::NumImages), Qt::Key_Return);
  EXPECT_EQ(questions.Messages(), std::vector<std::string>{"Enter an integer between 3 and 9999."});
  EXPECT_EQ(form->focusWidget(), Edit(FormId::NumImages));
  EXPECT_EQ(TextOf(document->layout()), TextOf(Montage()));
  EXPECT_EQ(PreviewSettings::Instance().NumImages, 20u);
  EXPECT_EQ(hints.Count(HintLayoutEdited), 0);
  EXPECT_FALSE(document->IsModified());
}

TEST_F(MontageFormTest, EnterInAnyControlAppliesOnceAndIsConsumed) {
  int returnsSeen = 0;
  for (QLineEdit* edit : form->findChildren<QLineEdit*>()) {
    QObject::connect(edit, &QLineEdit::returnPressed, [&returnsSeen] { ++returnsSeen; });
  }
  const struct {
    QWidget* target;
    int key;
  } cases[] = {
      {Edit(FormId::OuterMargin), Qt::Key_Return},
      {Edit(FormId::SampleCaptionLines[2]), Qt::Key_Enter},
      {C().ById(FormId::OuterMargin3d), Qt::Key_Return},
      {C().ById(FormId::Paper), Qt::Key_Enter},
      {C().ById(FormId::Update), Qt::Key_Return},
  };
  std::uint32_t margin = 30;
  for (const auto& c : cases) {
    Type(FormId::OuterMargin, QString::number(++margin));
    const int applied = hints.Count(HintLayoutEdited);
    PressKey(c.target, c.key);
    EXPECT_EQ(hints.Count(HintLayoutEdited), applied + 1) << FormControls::IdOf(c.target);
    EXPECT_EQ(document->layout().OuterMargin, margin);
  }
  EXPECT_EQ(returnsSeen, 0);
  // Other keys still reach the control: space ticks a check box.
  PressKey(C().ById(FormId::CaptionAbove), Qt::Key_Space);
  EXPECT_TRUE(Checked(FormId::CaptionAbove));
  EXPECT_TRUE(questions.Messages().empty());
}

TEST_F(MontageFormTest, NothingIsAppliedByEditingAlone) {
  const std::string layoutBefore = TextOf(document->layout());
  Type(FormId::CropHeight, "5");
  Type(FormId::NumImages, "33");
  Type(FormId::SampleCaptionLine1, "Class 4B");
  Click(FormId::PrintNames);
  Choose(FormId::Paper, 0);
  questions.AnswerColour(MakeColourRef(255, 0, 0));
  Click(FormId::OuterFrameColourButton);
  questions.AnswerFont(FontChoice{"Liberation Serif", 120, 700, true, 0});
  Click(FormId::MainNameFont);
  EXPECT_EQ(TextOf(document->layout()), layoutBefore);
  EXPECT_EQ(PreviewSettings::Instance().NumImages, 20u);
  EXPECT_EQ(PreviewSettings::Instance().PaperType, 4);
  EXPECT_EQ(PreviewSettings::Instance().SampleCaptionText[0], "Sample text line 1");
  EXPECT_EQ(hints.Count(HintLayoutEdited), 0);
  EXPECT_FALSE(document->IsModified());

  Click(FormId::Update);
  EXPECT_EQ(document->layout().CropHeight, 5u);
  EXPECT_TRUE(document->layout().PrintNames);
  EXPECT_EQ(document->layout().OuterFrameColour, "FF0000");
  EXPECT_EQ(document->layout().MainNameFont.FontName, "Liberation Serif");
  EXPECT_EQ(PreviewSettings::Instance().NumImages, 33u);
  EXPECT_EQ(PreviewSettings::Instance().PaperType, 0);
  EXPECT_EQ(PreviewSettings::Instance().SampleCaptionText[0], "Class 4B");
  EXPECT_EQ(hints.Count(HintLayoutEdited), 1);
  EXPECT_TRUE(document->IsModified());
}

TEST_F(MontageFormTest, NumbersMayHaveSpacesAndLeadingZerosButMustFitIn32Bits) {
  Type(FormId::OuterMargin, " 007\t");
  Type(FormId::InnerFrame, "4294967295");
  Click(FormId::Update);
  EXPECT_EQ(document->layout().OuterMargin, 7u);
  EXPECT_EQ(document->layout().InnerFrame, 4294967295u);
  Type(FormId::OuterMargin, "4294967296");
  Click(FormId::Update);
  EXPECT_EQ(questions.Messages(),
            std::vector<std::string>{"Enter an integer between 0 and 4294967295."});
  EXPECT_EQ(document->layout().OuterMargin, 7u);
}

TEST_F(MontageFormTest, CropOrPageChangesEmptyTheImageCacheOtherChangesDoNot) {
  const std::string picture = PathOf("sample.jpg");
  testsupport::WriteFile(picture, testsupport::EncodeJpeg());
  const struct {
    const char* name;
    std::function<void()> edit;
    bool empties;
  } cases[] = {
      {"proportion height", [this] { Type(FormId::CropHeight, "9"); }, true},
      {"proportion width", [this] { Type(FormId::CropWidth, "7"); }, true},
      {"paper", [this] { Choose(FormId::Paper, 1); }, true},
      {"custom width",
       [this] {
         Choose(FormId::Paper, 5);
         Type(FormId::PaperWidth, "2600");
       },
       true},
      {"orientation", [this] { Click(FormId::OrientPortrait); }, true},
      {"frame colour",
       [this] { C().Get<ColourSwatch>(FormId::InnerFrameColour)->SetColour(QColor(1, 2, 3)); },
       false},
      {"frame widths",
       [this] {
         Type(FormId::InnerFrame, "3");
         Type(FormId::OuterFrame, "4");
       },
       false},
      {"number of images", [this] { Type(FormId::NumImages, "40"); }, false},
      {"nothing", [] {}, false},
  };
  for (const auto& c : cases) {
    ImageError error;
    ASSERT_TRUE(ImageCache::Instance().Get(picture, error)) << c.name;
    c.edit();
    Click(FormId::Update);
    const std::vector<std::string> paths = ImageCache::Instance().Paths();
    EXPECT_EQ(std::count(paths.begin(), paths.end(), picture), c.empties ? 0 : 1) << c.name;
  }
  EXPECT_TRUE(questions.Messages().empty());
}

TEST_F(MontageFormTest, CustomPaperTurnedPortraitIsStoredAsAPortraitPage) {
  Choose(FormId::Paper, 5);
  Type(FormId::PaperHeight, "2000");
  Type(FormId::PaperWidth, "3000");
  Click(FormId::Update);
  Click(FormId::OrientPortrait);
  EXPECT_EQ(Text(FormId::PaperHeight), "3000");
  Click(FormId::Update);
  // The page is PaperHeight wide and PaperWidth high when the layout is portrait.
  EXPECT_TRUE(document->layout().Portrait);
  EXPECT_EQ(PreviewSettings::Instance().PaperHeight, 2000u);
  EXPECT_EQ(PreviewSettings::Instance().PaperWidth, 3000u);
}

TEST_F(MontageFormTest, UndoAndRedoStepThroughAppliesByWhatChanged) {
  Type(FormId::OuterMargin, "50");
  Click(FormId::Update);
  EXPECT_EQ(document->UndoText(), "Undo Outer Margin\tCtrl+Z");
  Type(FormId::CropWidth, "5");
  PressKey(Edit(FormId::CropWidth), Qt::Key_Return);
  EXPECT_EQ(document->UndoText(), "Undo Proport'n\tCtrl+Z");
  Click(FormId::PrintNames);
  Click(FormId::Update);
  EXPECT_EQ(document->UndoText(), "Undo Print names (if available)\tCtrl+Z");
  questions.AnswerFont(FontChoice{"Liberation Mono", 90, 400, false, 0});
  Click(FormId::NameFont);
  Click(FormId::Update);
  EXPECT_EQ(document->UndoText(), "Undo Small Font\tCtrl+Z");
  Type(FormId::InnerFrame, "2");
  Type(FormId::OuterFrame, "3");
  Click(FormId::Update);
  EXPECT_EQ(document->UndoText(), "Undo changes\tCtrl+Z");
  // Neither an apply without a change nor the preview settings make an undo step.
  Type(FormId::NumImages, "12");
  Click(FormId::Update);
  EXPECT_EQ(document->History().UndoCount(), 5u);

  document->Undo();  // the two frames
  EXPECT_EQ(Text(FormId::InnerFrame), "10");
  document->Undo();  // the small font
  document->Undo();  // print names
  EXPECT_EQ(document->UndoText(), "Undo Proport'n\tCtrl+Z");
  EXPECT_FALSE(Checked(FormId::PrintNames));
  EXPECT_EQ(Text(FormId::CropWidth), "5");
  EXPECT_EQ(Text(FormId::NumImages), "12");
  document->Undo();
  document->Undo();
  EXPECT_EQ(TextOf(document->layout()), TextOf(Montage()));
  EXPECT_EQ(Text(FormId::OuterMargin), "0");
  EXPECT_EQ(PreviewSettings::Instance().NumImages, 12u);

  document->Redo();
  document->Redo();
  EXPECT_EQ(Text(FormId::CropWidth), "5");
  EXPECT_EQ(Text(FormId::OuterMargin), "50");
  document->Redo();
  document->Redo();
  EXPECT_EQ(document->layout().NameFont.FontName, "Liberation Mono");
  // The restored font is the form's working copy again: applying keeps it.
  Click(FormId::Update);
  EXPECT_EQ(document->layout().NameFont.FontName, "Liberation Mono");
  EXPECT_EQ(document->UndoText(), "Undo Small Font\tCtrl+Z");
}

// Each field of the layout edited in its control alone: the apply takes it into the layout and
// names the undo step after it. A row that the exchange or the apply left out fails here.
TEST_F(MontageFormTest, EveryLayoutFieldReachesTheLayoutAndNamesItsUndoStep) {
  int edited = 0;
  for (const FormField& field : FormFields()) {
    if (!field.IsLayoutField()) continue;
    SCOPED_TRACE(field.Id);
    switch (field.Kind) {
      case FieldKind::Number: {
        const bool atLow = Text(field.Id) == QString::number(field.Low);
        Type(field.Id, QString::number(atLow ? field.Low + 1 : field.Low));
        break;
      }
      case FieldKind::Check: {
        // The logo's places are disabled while one logo is not asked for; the box still holds.
        auto* box = C().Get<QCheckBox>(field.Id);
        box->setChecked(!box->isChecked());
        break;
      }
      case FieldKind::Radio:
        // The button of the value the layout holds has nothing to change.
        if (Checked(field.Id)) continue;
        Click(field.Id);
        break;
      case FieldKind::Colour: {
        auto* swatch = C().Get<ColourSwatch>(field.Id);
        swatch->SetColour(QColor(255 - swatch->Colour().red(), 7, 9));
        break;
      }
      case FieldKind::Font:
        questions.AnswerFont(FontChoice{"Liberation Serif", 130 + edited, 400, true, 0});
        Click(field.Id);
        break;
      default:
        ADD_FAILURE() << "a layout field of an unexpected kind";
        continue;
    }
    const std::string before = TextOf(document->layout());
    Click(FormId::Update);
    EXPECT_NE(TextOf(document->layout()), before);
    EXPECT_EQ(document->UndoText(), std::string("Undo ") + field.UndoDescription() + "\tCtrl+Z");
    ++edited;
  }
  EXPECT_EQ(edited, 60);
  EXPECT_TRUE(questions.Messages().empty());
}

TEST_F(MontageFormTest, ATestStepShowsTheCountAndAppliesLikeUpdate) {
  int repaints = 0;
  form->SetRepaintPreview([&repaints] { ++repaints; });
  Type(FormId::ImageMargin, "20");
  EXPECT_TRUE(form->TestStep(12));
  EXPECT_EQ(Text(FormId::NumImages), "12");
  EXPECT_EQ(PreviewSettings::Instance().NumImages, 12u);
  EXPECT_EQ(document->layout().ImageMargin, 20u);
  EXPECT_EQ(hints.Count(HintLayoutEdited), 1);
  EXPECT_EQ(repaints, 1);

  Type(FormId::ImageMargin, "51");
  EXPECT_FALSE(form->TestStep(13));
  EXPECT_EQ(questions.Messages(), std::vector<std::string>{"Enter an integer between 0 and 50."});
  EXPECT_EQ(PreviewSettings::Instance().NumImages, 12u);
  EXPECT_EQ(hints.Count(HintLayoutEdited), 1);
}

}  // namespace
