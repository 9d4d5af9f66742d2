// The form's own controls: paper and orientation, the logo boxes, browsing, colours and fonts.
// Each changes only the form until it is applied.
#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QLineEdit>
#include <QPushButton>

#include "MontageFormFixture.h"
#include "layout/ColourText.h"
#include "layout/Montage.h"
#include "settings/PreviewSettings.h"
#include "shell/form/ColourSwatch.h"
#include "shell/form/FormControlIds.h"
#include "shell/form/FormControls.h"
#include "shell/form/FormPanel.h"

namespace {

TEST_F(MontageFormTest, PresetPapersShowTheirSizeReadOnlyAndCustomMakesItEditable) {
  Choose(FormId::Paper, 4);
  EXPECT_EQ(Text(FormId::PaperHeight), "2032");
  EXPECT_EQ(Text(FormId::PaperWidth), "2540");
  EXPECT_TRUE(Edit(FormId::PaperHeight)->isReadOnly());
  EXPECT_TRUE(Edit(FormId::PaperWidth)->isReadOnly());
  Click(FormId::OrientPortrait);
  EXPECT_EQ(Text(FormId::PaperHeight), "2540");
  EXPECT_EQ(Text(FormId::PaperWidth), "2032");
  Choose(FormId::Paper, 0);  // 7x5 shown as the portrait page
  EXPECT_EQ(Text(FormId::PaperHeight), "1778");
  EXPECT_EQ(Text(FormId::PaperWidth), "1270");
  Choose(FormId::Paper, 5);
  EXPECT_EQ(Text(FormId::PaperHeight), "1778");
  EXPECT_EQ(Text(FormId::PaperWidth), "1270");
  EXPECT_FALSE(Edit(FormId::PaperHeight)->isReadOnly());
  EXPECT_FALSE(Edit(FormId::PaperWidth)->isReadOnly());
  // A square page has nothing to swap; unticking turns a tall page back on its side.
  Type(FormId::PaperHeight, "1500");
  Type(FormId::PaperWidth, "1500");
  Click(FormId::OrientPortrait);
  EXPECT_EQ(Text(FormId::PaperHeight), "1500");
  Type(FormId::PaperHeight, "1600");
  EXPECT_FALSE(Checked(FormId::OrientPortrait));
  Click(FormId::OrientPortrait);
  Click(FormId::OrientPortrait);
  EXPECT_EQ(Text(FormId::PaperHeight), "1500");
  EXPECT_EQ(Text(FormId::PaperWidth), "1600");
  EXPECT_TRUE(questions.Messages().empty());
}

TEST_F(MontageFormTest, LogoPlacesExcludeEachOtherAndFollowTheLogoBoxes) {
  // The defaults print two logos, so neither place can be chosen.
  EXPECT_TRUE(Enabled(FormId::SingleLogo));
  EXPECT_FALSE(Enabled(FormId::LogoLeft));
  EXPECT_FALSE(Enabled(FormId::LogoTop));
  Click(FormId::SingleLogo);
  EXPECT_TRUE(Enabled(FormId::LogoLeft));
  EXPECT_TRUE(Enabled(FormId::LogoTop));
  ASSERT_TRUE(Checked(FormId::LogoLeft));
  Click(FormId::LogoTop);
  EXPECT_TRUE(Checked(FormId::LogoTop));
  EXPECT_FALSE(Checked(FormId::LogoLeft));
  Click(FormId::LogoLeft);
  EXPECT_TRUE(Checked(FormId::LogoLeft));
  EXPECT_FALSE(Checked(FormId::LogoTop));
  Click(FormId::PrintLogo);
  EXPECT_FALSE(Enabled(FormId::SingleLogo));
  EXPECT_FALSE(Enabled(FormId::LogoLeft));
  EXPECT_FALSE(Enabled(FormId::LogoTop));
  Click(FormId::PrintLogo);
  EXPECT_TRUE(Enabled(FormId::LogoTop));

  // A layout holding both places (a hand-edited file) keeps only "Logo on top" once applied.
  C().Get<QCheckBox>(FormId::LogoTop)->setChecked(true);
  Click(FormId::Update);
  EXPECT_TRUE(document->layout().LogoTop);
  EXPECT_FALSE(document->layout().LogoLeft);
}

TEST_F(MontageFormTest, BrowseButtonsPutTheChosenFileInTheirField) {
  const std::string jpeg = "JPEG Image files (*.jpg;*.jpeg)|*.jpg;*.jpeg||";
  const struct {
    int button;
    int field;
    std::string PreviewSettings::*setting;
    std::string filter;
    std::string extension;
  } cases[] = {
      {FormId::BrowseSampleImage, FormId::SampleImagePath, &PreviewSettings::SampleImagePath, jpeg,
       "jpg"},
      {FormId::BrowseBackground, FormId::BackgroundImage, &PreviewSettings::BackgroundImage, jpeg,
       "jpg"},
      {FormId::BrowseLogo, FormId::LogoImage, &PreviewSettings::LogoImage, jpeg, "jpg"},
      {FormId::BrowseClassList, FormId::ClassListPath, &PreviewSettings::ClassListPath,
       "Class lists and portrait indexes (*.csv *.txt)|*.csv;*.txt|All Files (*)|*||", "csv"},
  };
  for (const auto& c : cases) {
    questions.Forget();
    Type(c.field, "/old/picture.jpg");
    questions.AnswerPath(std::nullopt);
    Click(c.button);
    EXPECT_EQ(Text(c.field), "/old/picture.jpg");
    questions.AnswerPath("/new/Schüler.jpeg");
    Click(c.button);
    EXPECT_EQ(Text(c.field), QString::fromUtf8("/new/Schüler.jpeg"));
    ASSERT_EQ(questions.Asked().size(), 2u);
    const FileDialogRequest& request = questions.Asked()[1].File;
    EXPECT_EQ(request.Filter, c.filter);
    EXPECT_EQ(request.DefaultExtension, c.extension);
    EXPECT_EQ(request.InitialPath, "/old/picture.jpg");
    EXPECT_EQ(PreviewSettings::Instance().*c.setting, "");
    Click(FormId::Update);
    EXPECT_EQ(PreviewSettings::Instance().*c.setting, "/new/Schüler.jpeg");
  }
}

TEST_F(MontageFormTest, ColoursShowInTheirSwatchAtOnceAndReachTheLayoutOnUpdate) {
  const struct {
    int button;
    int swatch;
    std::string Montage::*field;
    ColourRef before;
  } cases[] = {
      {FormId::OuterMarginColourButton, FormId::OuterMarginColour, &Montage::OuterMarginColour,
       0xFFFFFF},
      {FormId::InnerFrameColourButton, FormId::InnerFrameColour, &Montage::InnerFrameColour,
       0xAAAAAA},
      {FormId::OuterFrameColourButton, FormId::OuterFrameColour, &Montage::OuterFrameColour, 0},
      {FormId::BackgroundColourButton, FormId::BackgroundColour, &Montage::BackgroundColour,
       0xFFFFFF},
  };
  ColourRef chosen = MakeColourRef(0x0A, 0x0B, 0x0C);
  int customSlot = 0;
  for (const auto& c : cases) {
    questions.Forget();
    questions.AnswerColour(std::nullopt);
    Click(c.button);
    questions.AnswerColour([chosen, &customSlot](CustomColours& custom) {
      custom[customSlot] = chosen;
      return chosen;
    });
    Click(c.button);
    ASSERT_EQ(questions.Asked().size(), 2u);
    EXPECT_EQ(questions.Asked()[1].Colour, c.before);
    EXPECT_EQ(C().Get<ColourSwatch>(c.swatch)->Colour(),
              QColor(RedOf(chosen), GreenOf(chosen), BlueOf(chosen)));
    EXPECT_EQ(PreviewSettings::Instance().CustomColour[customSlot], chosen);
    EXPECT_EQ(ParseColour(document->layout().*c.field), c.before);
    Click(FormId::Update);
    EXPECT_EQ(document->layout().*c.field, ColourText(chosen));
    chosen += 0x010101;
    ++customSlot;
  }
}

TEST_F(MontageFormTest, FontsChosenReachTheLayoutOnUpdate) {
  const int buttons[] = {FormId::NameFont,        FormId::MainNameFont,    FormId::CaptionFonts[0],
                         FormId::CaptionFonts[1], FormId::CaptionFonts[2], FormId::CaptionFonts[3]};
  FontDetails* const fonts[] = {
      &document->layout().NameFont,        &document->layout().MainNameFont,
      &document->layout().CaptionFonts[0], &document->layout().CaptionFonts[1],
      &document->layout().CaptionFonts[2], &document->layout().CaptionFonts[3]};
  for (int i = 0; i < 6; ++i) {
    const std::uint32_t point = fonts[i]->FontPoint;
    questions.Forget();
    questions.AnswerFont(std::nullopt);
    Click(buttons[i]);
    questions.AnswerFont(FontChoice{"Liberation Serif", 150 + i, 700, true, 0x0000FF});
    Click(buttons[i]);
    ASSERT_EQ(questions.Asked().size(), 2u);
    EXPECT_EQ(questions.Asked()[1].Font.PointTenths, static_cast<int>(point));
    EXPECT_EQ(fonts[i]->FontName, "Arial");
    Click(FormId::Update);
    EXPECT_EQ(fonts[i]->FontName, "Liberation Serif");
    EXPECT_EQ(fonts[i]->FontPoint, 150u + i);
    EXPECT_TRUE(fonts[i]->FontBold);
    EXPECT_TRUE(fonts[i]->FontItalic);
    EXPECT_EQ(fonts[i]->FontColour, "FF0000");
  }
}

TEST_F(MontageFormTest, ShowingOnePartKeepsWhatIsTypedInTheOther) {
  Type(FormId::NumImages, "2x");
  Type(FormId::SampleCaptionLine3, "typed");
  Type(FormId::OuterMargin, "5");
  form->ShowLayout();
  EXPECT_EQ(Text(FormId::NumImages), "2x");
  EXPECT_EQ(Text(FormId::SampleCaptionLine3), "typed");
  EXPECT_EQ(Text(FormId::OuterMargin), "0");
  Type(FormId::OuterMargin, "7y");
  form->ShowSettings();
  EXPECT_EQ(Text(FormId::OuterMargin), "7y");
  EXPECT_EQ(Text(FormId::NumImages), "20");
  EXPECT_EQ(Text(FormId::SampleCaptionLine3), "Sample text line 3");
  EXPECT_TRUE(questions.Messages().empty());
}

TEST_F(MontageFormTest, TheColumnWidthShowsThePreviewSettingsWhole) {
  QWidget* group = C().ById(FormId::PreviewSettingsGroup);
  form->resize(form->ColumnWidth(), 600);
  form->show();
  QCoreApplication::processEvents();
  EXPECT_GE(form->ColumnWidth(), group->minimumSizeHint().width() + 40);
  EXPECT_GE(group->width(), group->minimumSizeHint().width());
  EXPECT_LE(group->mapTo(form.get(), QPoint(group->width(), 0)).x(), form->width());
}

TEST_F(MontageFormTest, TheDocumentIsShownOnlyFromTheFirstInitialUpdateOn) {
  MontageForm early(*document, *profile, *commands);
  const auto* numImages =
      qobject_cast<QLineEdit*>(early.Panel().Controls().ById(FormId::NumImages));
  document->OnNewDocument();
  EXPECT_EQ(numImages->text(), "");
  early.InitialUpdate();
  EXPECT_EQ(numImages->text(), "20");
}

}  // namespace
