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
#include "shell/ColourSwatch.h"
#include "shell/FormControlIds.h"
#include "shell/FormControls.h"
#include "shell/FormPanel.h"

namespace {

TEST_F(MontageFormTest, PresetPapersShowTheirSizeReadOnlyAndCustomMakesItEditable) {
  Choose(C().Paper, 4);
  EXPECT_EQ(Text(FormId::PaperHeight), "2032");
  EXPECT_EQ(Text(FormId::PaperWidth), "2540");
  EXPECT_TRUE(C().PaperHeight->isReadOnly());
  EXPECT_TRUE(C().PaperWidth->isReadOnly());
  C().Portrait->click();
  EXPECT_EQ(Text(FormId::PaperHeight), "2540");
  EXPECT_EQ(Text(FormId::PaperWidth), "2032");
  Choose(C().Paper, 0);  // 7x5 shown as the portrait page
  EXPECT_EQ(Text(FormId::PaperHeight), "1778");
  EXPECT_EQ(Text(FormId::PaperWidth), "1270");
  Choose(C().Paper, 5);
  EXPECT_EQ(Text(FormId::PaperHeight), "1778");
  EXPECT_EQ(Text(FormId::PaperWidth), "1270");
  EXPECT_FALSE(C().PaperHeight->isReadOnly());
  EXPECT_FALSE(C().PaperWidth->isReadOnly());
  // A square page has nothing to swap; unticking turns a tall page back on its side.
  Type(FormId::PaperHeight, "1500");
  Type(FormId::PaperWidth, "1500");
  C().Portrait->click();
  EXPECT_EQ(Text(FormId::PaperHeight), "1500");
  Type(FormId::PaperHeight, "1600");
  EXPECT_FALSE(C().Portrait->isChecked());
  C().Portrait->click();
  C().Portrait->click();
  EXPECT_EQ(Text(FormId::PaperHeight), "1500");
  EXPECT_EQ(Text(FormId::PaperWidth), "1600");
  EXPECT_TRUE(questions.Messages().empty());
}

TEST_F(MontageFormTest, LogoPlacesExcludeEachOtherAndFollowTheLogoBoxes) {
  // The defaults print two logos, so neither place can be chosen.
  EXPECT_TRUE(C().SingleLogo->isEnabled());
  EXPECT_FALSE(C().LogoLeft->isEnabled());
  EXPECT_FALSE(C().LogoTop->isEnabled());
  C().SingleLogo->click();
  EXPECT_TRUE(C().LogoLeft->isEnabled());
  EXPECT_TRUE(C().LogoTop->isEnabled());
  ASSERT_TRUE(C().LogoLeft->isChecked());
  C().LogoTop->click();
  EXPECT_TRUE(C().LogoTop->isChecked());
  EXPECT_FALSE(C().LogoLeft->isChecked());
  C().LogoLeft->click();
  EXPECT_TRUE(C().LogoLeft->isChecked());
  EXPECT_FALSE(C().LogoTop->isChecked());
  C().PrintLogo->click();
  EXPECT_FALSE(C().SingleLogo->isEnabled());
  EXPECT_FALSE(C().LogoLeft->isEnabled());
  EXPECT_FALSE(C().LogoTop->isEnabled());
  C().PrintLogo->click();
  EXPECT_TRUE(C().LogoTop->isEnabled());

  // A layout holding both places (a hand-edited file) keeps only "Logo on top" once applied.
  C().LogoTop->setChecked(true);
  C().Update->click();
  EXPECT_TRUE(document->layout().LogoTop);
  EXPECT_FALSE(document->layout().LogoLeft);
}

TEST_F(MontageFormTest, BrowseButtonsPutTheChosenFileInTheirField) {
  const std::string jpeg = "JPEG Image files (*.jpg;*.jpeg)|*.jpg;*.jpeg||";
  const struct {
    QPushButton* button;
    int field;
    std::string PreviewSettings::*setting;
    std::string filter;
    std::string extension;
  } cases[] = {
      {C().BrowseSampleImage, FormId::SampleImagePath, &PreviewSettings::SampleImagePath, jpeg,
       "jpg"},
      {C().BrowseBackground, FormId::BackgroundImage, &PreviewSettings::BackgroundImage, jpeg,
       "jpg"},
      {C().BrowseLogo, FormId::LogoImage, &PreviewSettings::LogoImage, jpeg, "jpg"},
      {C().BrowseClassList, FormId::ClassListPath, &PreviewSettings::ClassListPath,
       "Class List (*.csv)|*.csv|All Files (*)|*||", "csv"},
  };
  for (const auto& c : cases) {
    questions.Forget();
    Type(c.field, "/old/picture.jpg");
    questions.AnswerPath(std::nullopt);
    c.button->click();
    EXPECT_EQ(Text(c.field), "/old/picture.jpg");
    questions.AnswerPath("/new/Schüler.jpeg");
    c.button->click();
    EXPECT_EQ(Text(c.field), QString::fromUtf8("/new/Schüler.jpeg"));
    ASSERT_EQ(questions.Asked().size(), 2u);
    const FileDialogRequest& request = questions.Asked()[1].File;
    EXPECT_EQ(request.Filter, c.filter);
    EXPECT_EQ(request.DefaultExtension, c.extension);
    EXPECT_EQ(request.InitialPath, "/old/picture.jpg");
    EXPECT_EQ(PreviewSettings::Instance().*c.setting, "");
    C().Update->click();
    EXPECT_EQ(PreviewSettings::Instance().*c.setting, "/new/Schüler.jpeg");
  }
}

TEST_F(MontageFormTest, ColoursShowInTheirSwatchAtOnceAndReachTheLayoutOnUpdate) {
  const struct {
    QPushButton* button;
    ColourSwatch* swatch;
    std::string Montage::*field;
    ColourRef before;
  } cases[] = {
      {C().OuterMarginColourButton, C().OuterMarginColour, &Montage::OuterMarginColour, 0xFFFFFF},
      {C().InnerFrameColourButton, C().InnerFrameColour, &Montage::InnerFrameColour, 0xAAAAAA},
      {C().OuterFrameColourButton, C().OuterFrameColour, &Montage::OuterFrameColour, 0},
      {C().BackgroundColourButton, C().BackgroundColour, &Montage::BackgroundColour, 0xFFFFFF},
  };
  ColourRef chosen = MakeColourRef(0x0A, 0x0B, 0x0C);
  int customSlot = 0;
  for (const auto& c : cases) {
    questions.Forget();
    questions.AnswerColour(std::nullopt);
    c.button->click();
    questions.AnswerColour([chosen, &customSlot](CustomColours& custom) {
      custom[customSlot] = chosen;
      return chosen;
    });
    c.button->click();
    ASSERT_EQ(questions.Asked().size(), 2u);
    EXPECT_EQ(questions.Asked()[1].Colour, c.before);
    EXPECT_EQ(c.swatch->Colour(), QColor(RedOf(chosen), GreenOf(chosen), BlueOf(chosen)));
    EXPECT_EQ(PreviewSettings::Instance().CustomColour[customSlot], chosen);
    EXPECT_EQ(ParseColour(document->layout().*c.field), c.before);
    C().Update->click();
    EXPECT_EQ(document->layout().*c.field, ColourText(chosen));
    chosen += 0x010101;
    ++customSlot;
  }
}

TEST_F(MontageFormTest, FontsChosenReachTheLayoutOnUpdate) {
  QPushButton* const buttons[] = {C().NameFont,        C().MainNameFont,    C().CaptionFonts[0],
                                  C().CaptionFonts[1], C().CaptionFonts[2], C().CaptionFonts[3]};
  FontDetails* const fonts[] = {
      &document->layout().NameFont,        &document->layout().MainNameFont,
      &document->layout().CaptionFonts[0], &document->layout().CaptionFonts[1],
      &document->layout().CaptionFonts[2], &document->layout().CaptionFonts[3]};
  for (int i = 0; i < 6; ++i) {
    const std::uint32_t point = fonts[i]->FontPoint;
    questions.Forget();
    questions.AnswerFont(std::nullopt);
    buttons[i]->click();
    questions.AnswerFont(FontChoice{"Liberation Serif", 150 + i, 700, true, 0x0000FF});
    buttons[i]->click();
    ASSERT_EQ(questions.Asked().size(), 2u);
    EXPECT_EQ(questions.Asked()[1].Font.PointTenths, static_cast<int>(point));
    EXPECT_EQ(fonts[i]->FontName, "Arial");
    C().Update->click();
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
  MontageForm early(*document, *profile);
  const auto* numImages =
      qobject_cast<QLineEdit*>(early.Panel().Controls().ById(FormId::NumImages));
  document->OnNewDocument();
  EXPECT_EQ(numImages->text(), "");
  early.InitialUpdate();
  EXPECT_EQ(numImages->text(), "20");
}

}  // namespace
