// The form's file buttons and recent-file list, and a whole layout through the form and a file.
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <fstream>

#include "FormTestSupport.h"
#include "MontageFormFixture.h"
#include "layout/ColourText.h"
#include "layout/Montage.h"
#include "settings/PreviewSettings.h"
#include "shell/RecentFiles.h"
#include "shell/form/FormControlIds.h"
#include "shell/form/FormControls.h"
#include "shell/form/FormExchange.h"

namespace {

std::vector<std::string> ComboItems(const QComboBox* combo) {
  std::vector<std::string> items;
  for (int i = 0; i < combo->count(); ++i) items.push_back(combo->itemText(i).toStdString());
  return items;
}

class MontageFormFilesTest : public MontageFormTest {
 protected:
  QComboBox* Recent() const { return C().Get<QComboBox>(FormId::RecentFiles); }
  // Opens the file through the Open button and the open dialog.
  void OpenWithButton(const std::string& path) {
    questions.AnswerPath(path);
    Click(FormId::Open);
  }
  // Writes n layout files named 0.txt, 1.txt, ... and returns their paths.
  std::vector<std::string> Layouts(int n) const {
    std::vector<std::string> paths;
    for (int i = 0; i < n; ++i) paths.push_back(WriteLayout(std::to_string(i) + ".txt", Montage()));
    return paths;
  }
};

TEST_F(MontageFormFilesTest, TheFifteenNewestFilesAreListedNewestFirst) {
  const std::vector<std::string> paths = Layouts(16);
  for (const std::string& path : paths) OpenWithButton(path);
  const std::vector<std::string> newest(paths.rbegin(), paths.rbegin() + 15);
  EXPECT_EQ(ComboItems(Recent()), newest);
  EXPECT_EQ(Recent()->currentIndex(), 0);

  // Choosing an entry opens it and moves it to the top without a second copy.
  Choose(FormId::RecentFiles, 4);
  EXPECT_EQ(document->path(), paths[11]);
  std::vector<std::string> moved = newest;
  moved.erase(moved.begin() + 4);
  moved.insert(moved.begin(), paths[11]);
  EXPECT_EQ(ComboItems(Recent()), moved);
  EXPECT_EQ(Recent()->currentIndex(), 0);
  EXPECT_TRUE(questions.Messages().empty());
}

TEST_F(MontageFormFilesTest, ADeletedRecentFileIsReportedAndLeavesTheList) {
  const std::vector<std::string> paths = Layouts(2);
  OpenWithButton(paths[0]);
  OpenWithButton(paths[1]);
  ASSERT_TRUE(QFile::remove(QString::fromStdString(paths[0])));
  Choose(FormId::RecentFiles, 1);
  ASSERT_EQ(questions.Messages().size(), 1u);
  EXPECT_EQ(questions.Messages()[0].rfind("Could not open file: " + paths[0] + "\n", 0), 0u);
  EXPECT_EQ(ComboItems(Recent()), std::vector<std::string>{paths[1]});
  EXPECT_EQ(Recent()->currentIndex(), -1);
  EXPECT_EQ(document->path(), paths[1]);
}

TEST_F(MontageFormFilesTest, ACancelledOpenShowsTheDocumentsFileAgain) {
  const std::vector<std::string> paths = Layouts(2);
  OpenWithButton(paths[0]);
  OpenWithButton(paths[1]);
  Click(FormId::PrintNames);
  Click(FormId::Update);
  questions.AnswerYesNoCancel(QuestionAnswer::Cancel);
  Choose(FormId::RecentFiles, 1);
  EXPECT_EQ(document->path(), paths[1]);
  EXPECT_EQ(Recent()->currentText().toStdString(), paths[1]);
  EXPECT_TRUE(document->layout().PrintNames);
}

TEST_F(MontageFormFilesTest, TheListIsStoredInTheProfileAndReadBack) {
  const std::vector<std::string> paths = Layouts(3);
  for (const std::string& path : paths) OpenWithButton(path);
  RemakeForm();
  EXPECT_EQ(ComboItems(Recent()), (std::vector<std::string>{paths[2], paths[1], paths[0]}));
  form.reset();
  for (int n = 0; n < 3; ++n) {
    EXPECT_EQ(profile->ReadText("Settings", RecentFiles::ValueName(n), ""), paths[2 - n]);
  }
}

TEST_F(MontageFormFilesTest, SaveIsEnabledOnlyForAnAppliedEditToALayoutWithAFile) {
  EXPECT_FALSE(Enabled(FormId::Save));
  Type(FormId::OuterMargin, "20");
  Click(FormId::Update);
  EXPECT_FALSE(Enabled(FormId::Save));  // no file yet
  questions.AnswerPath(PathOf("saved.txt"));
  Click(FormId::SaveAs);
  EXPECT_FALSE(Enabled(FormId::Save));
  EXPECT_EQ(ComboItems(Recent()), std::vector<std::string>{PathOf("saved.txt")});
  Type(FormId::OuterMargin, "30");
  EXPECT_FALSE(Enabled(FormId::Save));  // typed, not applied
  PressKey(Edit(FormId::OuterMargin), Qt::Key_Return);
  EXPECT_TRUE(Enabled(FormId::Save));
  Click(FormId::Save);
  EXPECT_FALSE(Enabled(FormId::Save));
  Montage saved;
  std::ifstream in(PathOf("saved.txt"), std::ios::binary);
  ASSERT_TRUE(saved.ReadText(in));
  EXPECT_EQ(saved.OuterMargin, 30u);
  EXPECT_TRUE(questions.Messages().empty());
}

TEST_F(MontageFormFilesTest, AFieldTypedWrongIsReportedOnceBySaveAndByNew) {
  questions.AnswerPath(PathOf("kept.txt"));
  Click(FormId::SaveAs);
  Type(FormId::OuterMargin, "40");
  Click(FormId::Update);
  Type(FormId::CropHeight, "0");
  Click(FormId::Save);
  EXPECT_EQ(questions.Messages(), std::vector<std::string>{"Enter an integer between 1 and 100."});
  EXPECT_EQ(Text(FormId::CropHeight), "0");  // still there to be corrected
  Montage saved;
  std::ifstream in(PathOf("kept.txt"), std::ios::binary);
  ASSERT_TRUE(saved.ReadText(in));
  EXPECT_EQ(saved.OuterMargin, 40u);

  questions.Forget();
  Click(FormId::New);
  EXPECT_EQ(questions.Messages(), std::vector<std::string>{"Enter an integer between 1 and 100."});
  EXPECT_EQ(Text(FormId::CropHeight), "10");
  EXPECT_EQ(TextOf(document->layout()), TextOf(Montage()));
}

TEST_F(MontageFormFilesTest, EveryFieldSurvivesApplySaveAndReopen) {
  FormDraft values = SampleDraft();
  values.Layout.LogoLeft = false;  // "Logo on top" wins; see the logo test
  FormExchange(C()).Write(values);
  const FontChoice chosen[] = {
      {"Liberation Serif", 110, 700, false, MakeColourRef(1, 2, 3)},
      {"Liberation Sans", 120, 400, true, MakeColourRef(4, 5, 6)},
      {"Liberation Mono", 130, 700, true, MakeColourRef(7, 8, 9)},
      {"DejaVu Sans", 140, 400, false, MakeColourRef(10, 11, 12)},
      {"DejaVu Serif", 150, 700, false, MakeColourRef(13, 14, 15)},
      {"Caption Face", 160, 400, true, MakeColourRef(16, 17, 18)},
  };
  const int buttons[] = {FormId::NameFont,        FormId::MainNameFont,    FormId::CaptionFonts[0],
                         FormId::CaptionFonts[1], FormId::CaptionFonts[2], FormId::CaptionFonts[3]};
  for (int i = 0; i < 6; ++i) {
    questions.AnswerFont(chosen[i]);
    Click(buttons[i]);
  }
  questions.AnswerPath(PathOf("every.txt"));
  Click(FormId::SaveAs);
  ASSERT_TRUE(questions.Messages().empty());

  // The file, read back, holds every field as the form showed it.
  Montage saved;
  std::ifstream in(PathOf("every.txt"), std::ios::binary);
  ASSERT_TRUE(saved.ReadText(in));
  const Montage& s = saved;
  EXPECT_EQ(std::vector<std::uint32_t>(
                {s.CropHeight, s.CropWidth, s.MainImageMultiple, s.ImageMargin, s.OuterMargin,
                 s.InnerFrame, s.OuterFrame, s.DropShadowWidth, s.DropShadowDepth, s.CaptionRows,
                 s.CaptionCols, s.LogoTransparencyTolerance, s.NumCaptionLines}),
            std::vector<std::uint32_t>({100, 1, 10, 50, 50, 7, 16, 49, 20, 50, 3, 500, 3}));
  EXPECT_EQ(std::vector<std::int32_t>({s.MainImagePosition, s.BackgroundType, s.CaptionPosition}),
            std::vector<std::int32_t>({8, 2, 6}));
  EXPECT_EQ(std::vector<bool>({s.OuterMargin3d, s.Portrait, s.BackgroundOverwrite,
                               s.DropShadowRight, s.InnerFrame3d, s.OuterFrame3d, s.PrintNames,
                               s.PrintNames2Lines, s.PrintNamesFirstLast, s.SortFirstName,
                               s.PrintLogo, s.SingleLogo, s.LogoLeft, s.LogoTop, s.CaptionAbove}),
            std::vector<bool>({true, true, true, true, true, true, true, true, true, true, true,
                               true, false, true, true}));
  EXPECT_EQ(std::vector<std::string>(
                {s.OuterMarginColour, s.BackgroundColour, s.InnerFrameColour, s.OuterFrameColour}),
            std::vector<std::string>({"123456", "FE0180", "AAAAAB", "010203"}));
  const FontDetails* fonts[] = {&s.NameFont,        &s.MainNameFont,    &s.CaptionFonts[0],
                                &s.CaptionFonts[1], &s.CaptionFonts[2], &s.CaptionFonts[3]};
  for (int i = 0; i < 6; ++i) {
    EXPECT_EQ(fonts[i]->FontName, chosen[i].FaceName);
    EXPECT_EQ(fonts[i]->FontPoint, static_cast<std::uint32_t>(chosen[i].PointTenths));
    EXPECT_EQ(fonts[i]->FontBold, chosen[i].Weight == 700);
    EXPECT_EQ(fonts[i]->FontItalic, chosen[i].Italic);
    EXPECT_EQ(ParseColour(fonts[i]->FontColour), chosen[i].Colour);
  }

  // A new document and form opening the file show every field again, fonts included.
  RemakeDocument();
  questions.AnswerPath(PathOf("every.txt"));
  Click(FormId::Open);
  FormDraft shown;
  ASSERT_TRUE(FormExchange(C()).Read(shown));
  EXPECT_TRUE(SameShown(shown, values));
  document->layout() = Montage();
  Click(FormId::Update);
  EXPECT_EQ(TextOf(document->layout()), TextOf(saved));
}

}  // namespace
