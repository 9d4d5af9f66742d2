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
#include "shell/FormControlIds.h"
#include "shell/FormControls.h"
#include "shell/FormExchange.h"
#include "shell/RecentFiles.h"

namespace {

std::vector<std::string> ComboItems(const QComboBox* combo) {
  std::vector<std::string> items;
  for (int i = 0; i < combo->count(); ++i) items.push_back(combo->itemText(i).toStdString());
  return items;
}

class MontageFormFilesTest : public MontageFormTest {
 protected:
  // Opens the file through the Open button and the open dialog.
  void OpenWithButton(const std::string& path) {
    questions.AnswerPath(path);
    C().Open->click();
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
  EXPECT_EQ(ComboItems(C().RecentFiles), newest);
  EXPECT_EQ(C().RecentFiles->currentIndex(), 0);

  // Choosing an entry opens it and moves it to the top without a second copy.
  Choose(C().RecentFiles, 4);
  EXPECT_EQ(document->path(), paths[11]);
  std::vector<std::string> moved = newest;
  moved.erase(moved.begin() + 4);
  moved.insert(moved.begin(), paths[11]);
  EXPECT_EQ(ComboItems(C().RecentFiles), moved);
  EXPECT_EQ(C().RecentFiles->currentIndex(), 0);
  EXPECT_TRUE(questions.Messages().empty());
}

TEST_F(MontageFormFilesTest, ADeletedRecentFileIsReportedAndLeavesTheList) {
  const std::vector<std::string> paths = Layouts(2);
  OpenWithButton(paths[0]);
  OpenWithButton(paths[1]);
  ASSERT_TRUE(QFile::remove(QString::fromStdString(paths[0])));
  Choose(C().RecentFiles, 1);
  ASSERT_EQ(questions.Messages().size(), 1u);
  EXPECT_EQ(questions.Messages()[0].rfind("Could not open file: " + paths[0] + "\n", 0), 0u);
  EXPECT_EQ(ComboItems(C().RecentFiles), std::vector<std::string>{paths[1]});
  EXPECT_EQ(C().RecentFiles->currentIndex(), -1);
  EXPECT_EQ(document->path(), paths[1]);
}

TEST_F(MontageFormFilesTest, ACancelledOpenShowsTheDocumentsFileAgain) {
  const std::vector<std::string> paths = Layouts(2);
  OpenWithButton(paths[0]);
  OpenWithButton(paths[1]);
  C().PrintNames->click();
  C().Update->click();
  questions.AnswerYesNoCancel(QuestionAnswer::Cancel);
  Choose(C().RecentFiles, 1);
  EXPECT_EQ(document->path(), paths[1]);
  EXPECT_EQ(C().RecentFiles->currentText().toStdString(), paths[1]);
  EXPECT_TRUE(document->layout().PrintNames);
}

TEST_F(MontageFormFilesTest, TheListIsStoredInTheProfileAndReadBack) {
  const std::vector<std::string> paths = Layouts(3);
  for (const std::string& path : paths) OpenWithButton(path);
  RemakeForm();
  EXPECT_EQ(ComboItems(C().RecentFiles), (std::vector<std::string>{paths[2], paths[1], paths[0]}));
  form.reset();
  for (int n = 0; n < 3; ++n) {
    EXPECT_EQ(profile->ReadText("Settings", RecentFiles::ValueName(n), ""), paths[2 - n]);
  }
}

TEST_F(MontageFormFilesTest, SaveIsEnabledOnlyForAnAppliedEditToALayoutWithAFile) {
  EXPECT_FALSE(C().Save->isEnabled());
  Type(FormId::OuterMargin, "20");
  C().Update->click();
  EXPECT_FALSE(C().Save->isEnabled());  // no file yet
  questions.AnswerPath(PathOf("saved.txt"));
  C().SaveAs->click();
  EXPECT_FALSE(C().Save->isEnabled());
  EXPECT_EQ(ComboItems(C().RecentFiles), std::vector<std::string>{PathOf("saved.txt")});
  Type(FormId::OuterMargin, "30");
  EXPECT_FALSE(C().Save->isEnabled());  // typed, not applied
  PressKey(C().OuterMargin, Qt::Key_Return);
  EXPECT_TRUE(C().Save->isEnabled());
  C().Save->click();
  EXPECT_FALSE(C().Save->isEnabled());
  Montage saved;
  std::ifstream in(PathOf("saved.txt"), std::ios::binary);
  ASSERT_TRUE(saved.ReadText(in));
  EXPECT_EQ(saved.OuterMargin, 30u);
  EXPECT_TRUE(questions.Messages().empty());
}

TEST_F(MontageFormFilesTest, AFieldTypedWrongIsReportedOnceBySaveAndByNew) {
  questions.AnswerPath(PathOf("kept.txt"));
  C().SaveAs->click();
  Type(FormId::OuterMargin, "40");
  C().Update->click();
  Type(FormId::CropHeight, "0");
  C().Save->click();
  EXPECT_EQ(questions.Messages(), std::vector<std::string>{"Enter an integer between 1 and 100."});
  EXPECT_EQ(Text(FormId::CropHeight), "0");  // still there to be corrected
  Montage saved;
  std::ifstream in(PathOf("kept.txt"), std::ios::binary);
  ASSERT_TRUE(saved.ReadText(in));
  EXPECT_EQ(saved.OuterMargin, 40u);

  questions.Forget();
  C().New->click();
  EXPECT_EQ(questions.Messages(), std::vector<std::string>{"Enter an integer between 1 and 100."});
  EXPECT_EQ(Text(FormId::CropHeight), "10");
  EXPECT_EQ(TextOf(document->layout()), TextOf(Montage()));
}

TEST_F(MontageFormFilesTest, EveryFieldSurvivesApplySaveAndReopen) {
  FormValues values = SampleValues();
  values.LogoLeft = false;  // "Logo on top" wins; see the logo test
  FormExchange(C()).Write(values);
  const FontChoice chosen[] = {
      {"Liberation Serif", 110, 700, false, MakeColourRef(1, 2, 3)},
      {"Liberation Sans", 120, 400, true, MakeColourRef(4, 5, 6)},
      {"Liberation Mono", 130, 700, true, MakeColourRef(7, 8, 9)},
      {"DejaVu Sans", 140, 400, false, MakeColourRef(10, 11, 12)},
      {"DejaVu Serif", 150, 700, false, MakeColourRef(13, 14, 15)},
      {"Caption Face", 160, 400, true, MakeColourRef(16, 17, 18)},
  };
  QPushButton* const buttons[] = {C().NameFont,        C().MainNameFont,    C().CaptionFonts[0],
                                  C().CaptionFonts[1], C().CaptionFonts[2], C().CaptionFonts[3]};
  for (int i = 0; i < 6; ++i) {
    questions.AnswerFont(chosen[i]);
    buttons[i]->click();
  }
  questions.AnswerPath(PathOf("every.txt"));
  C().SaveAs->click();
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
            std::vector<std::uint32_t>({100, 1, 10, 50, 50, 7, 15, 49, 20, 50, 3, 500, 4}));
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
  form.reset();
  document->RemoveView(hints);
  document = std::make_unique<CMontageDoc>(*profile);
  RemakeForm();
  questions.AnswerPath(PathOf("every.txt"));
  C().Open->click();
  FormValues shown;
  ASSERT_TRUE(FormExchange(C()).Read(shown));
  values.RecentFile = PathOf("every.txt");
  EXPECT_TRUE(shown == values);
  document->layout() = Montage();
  C().Update->click();
  EXPECT_EQ(TextOf(document->layout()), TextOf(saved));
}

}  // namespace
