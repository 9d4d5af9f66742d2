// The class list field: a preview setting applied with the others and never written into the
// layout; while a readable list is applied, the form says that the class sets the count.
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <filesystem>
#include <string>
#include <vector>

#include "MontageFormFixture.h"
#include "images/ImageCache.h"
#include "layout/ColourText.h"
#include "layout/Montage.h"
#include "platform/ColourRef.h"
#include "settings/PreviewSettings.h"
#include "shell/CMontageView.h"
#include "shell/form/FormControlIds.h"
#include "shell/form/FormControls.h"
#include "support/ClassFolder.h"
#include "support/ProgramRun.h"

namespace {

constexpr char kClassList[] = "FirstName,LastName,Picture\nAnn,Lee,\n";

TEST_F(MontageFormTest, TheClassListReachesTheSettingsButNeverTheLayoutFile) {
  const std::string list = folder.Write("Klasse 5ä, \"neu\".csv", kClassList).string();
  questions.AnswerPath(PathOf("without.txt"));
  Click(FormId::SaveAs);
  Type(FormId::ClassListPath, QString::fromStdString(list));
  questions.AnswerPath(PathOf("with.txt"));
  Click(FormId::SaveAs);
  ASSERT_TRUE(questions.Messages().empty());
  EXPECT_EQ(PreviewSettings::Instance().ClassListPath, list);

  const std::string saved = ReadFile(PathOf("with.txt"));
  EXPECT_FALSE(saved.empty());
  EXPECT_EQ(saved, ReadFile(PathOf("without.txt")));
  EXPECT_EQ(saved.find("Klasse"), std::string::npos);
  EXPECT_EQ(saved.find(".csv"), std::string::npos);
  // Nothing of the layout changed, so there is nothing to undo.
  EXPECT_EQ(document->History().NextUndo(), nullptr);

  // The next form shows the applied class list from the settings.
  RemakeForm();
  EXPECT_EQ(Text(FormId::ClassListPath).toStdString(), list);
}

TEST_F(MontageFormTest, TheNoteOnTheNumberOfImagesShowsWhileAReadableClassListIsApplied) {
  const std::string list = folder.Write("4B.csv", kClassList).string();
  const struct {
    std::string path;
    bool apply;
    bool shown;
  } cases[] = {
      {list, false, false},  // typed but not applied: the preview still draws the samples
      {list, true, true},
      {"", true, false},
      {PathOf("missing.csv"), true, false},
      {folder.Path().string(), true, false},
      {list, true, true},
  };
  for (const auto& c : cases) {
    Type(FormId::ClassListPath, QString::fromStdString(c.path));
    if (c.apply) Click(FormId::Update);
    EXPECT_EQ(C().ClassListInUse->isVisibleTo(form.get()), c.shown) << c.path;
    // The number stays editable: the automatic test and every apply still read it.
    EXPECT_TRUE(Enabled(FormId::NumImages));
    EXPECT_FALSE(Edit(FormId::NumImages)->isReadOnly());
  }
  EXPECT_TRUE(questions.Messages().empty());
}

// Images the preview drew, the main image among them.
std::size_t ImagesDrawn(CMontageView& view) {
  view.viewport()->repaint();
  const PreviewDrawn drawn = view.LastDrawn();
  return drawn.SmallImages + (drawn.MainImage ? 1 : 0);
}

TEST_F(MontageFormTest, TheAppliedClassListIsWhatThePreviewDraws) {
  // The window's cache, as the application sizes it at start.
  ImageCache::Instance().Resize(5, true);
  ImageCache::Instance().Clear();
  const std::filesystem::path classFolder = PathOf("class");
  std::filesystem::create_directory(classFolder);
  PreviewSettings::Instance().SampleImagePath =
      testsupport::WriteClassPicture(classFolder, "sample.jpg").string();
  PreviewSettings::Instance().NumImages = 12;
  RemakeForm();
  std::vector<testsupport::ClassRow> rows;
  for (int i = 0; i < 9; ++i) {
    rows.push_back({"Name" + std::to_string(i), "Last", "p" + std::to_string(i) + ".jpg", i == 4});
  }
  rows.push_back({"Without", "Picture", ""});
  const std::string list = testsupport::WriteClassFolder(classFolder, rows, true).string();
  CMontageView view(*document);
  view.resize(800, 600);
  view.show();
  for (int i = 0; i < 100 && !view.FittedOnce(); ++i) QApplication::processEvents();

  const struct {
    std::string path;
    bool apply;
    std::size_t drawn;
  } cases[] = {
      {list, false, 12},  // typed but not applied
      {list, true, rows.size()},
      {"", true, 12},
      {list, true, rows.size()},
  };
  for (const auto& c : cases) {
    Type(FormId::ClassListPath, QString::fromStdString(c.path));
    if (c.apply) Click(FormId::Update);
    EXPECT_EQ(ImagesDrawn(view), c.drawn) << c.path << " applied " << c.apply;
  }

  // A change of a frame colour draws the class again from the pictures the cache kept: with
  // their files gone, every cell still has its picture and nothing is reported.
  for (const auto& row : rows) {
    if (!row.picture.empty()) std::filesystem::remove(classFolder / row.picture);
  }
  const int drawings = view.Drawings();
  const ColourRef blue = MakeColourRef(0, 90, 200);
  questions.AnswerColour(blue);
  Click(FormId::OuterFrameColourButton);
  Click(FormId::Update);
  EXPECT_EQ(ImagesDrawn(view), rows.size());
  EXPECT_GT(view.Drawings(), drawings);
  EXPECT_EQ(document->layout().OuterFrameColour, ColourText(blue));
  EXPECT_TRUE(questions.Messages().empty());
}

}  // namespace
