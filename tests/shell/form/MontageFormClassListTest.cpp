// The class list field: a preview setting applied with the others and never written into the
// layout; while a readable list is applied, the form says that the class sets the count.
#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "MontageFormFixture.h"
#include "images/ImageCache.h"
#include "layout/ColourText.h"
#include "layout/Montage.h"
#include "platform/ColourRef.h"
#include "settings/PreviewSettings.h"
#include "shell/CMontageView.h"
#include "shell/DocumentView.h"
#include "shell/form/FormControlIds.h"
#include "shell/form/FormControls.h"
#include "support/ClassFolder.h"
#include "support/ProgramRun.h"
#include "support/SchoolFolder.h"

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

// Images the preview drew, the main image among them. The messages of a drawing are shown once
// its paint has ended, so they have arrived when this returns.
std::size_t ImagesDrawn(CMontageView& view) {
  view.viewport()->repaint();
  const PreviewDrawn drawn = view.LastDrawn();
  QApplication::processEvents();
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

// The Group list of a school's index: what it lists, the preview following the choice, and the
// choice kept in the settings for the next start but never in the layout.
class MontageFormGroupTest : public MontageFormTest {
 protected:
  MontageFormGroupTest() {
    ImageCache::Instance().Resize(40, true);
    ImageCache::Instance().Clear();
    index = testsupport::WriteSchoolFolder(folder.Path() / "school").string();
    // The samples the preview shows until the school is applied.
    PreviewSettings::Instance().SampleImagePath =
        testsupport::WriteClassPicture(folder.Path(), "sample.jpg").string();
    RemakeForm();
    view = std::make_unique<CMontageView>(*document);
    view->resize(800, 600);
    view->show();
    for (int i = 0; i < 100 && !view->FittedOnce(); ++i) QApplication::processEvents();
  }

  QComboBox* Groups() const { return C().Get<QComboBox>(FormId::ClassGroup); }
  std::size_t Drawn() const { return ImagesDrawn(*view); }
  std::vector<std::string> Items() const {
    std::vector<std::string> items;
    for (int i = 0; i < Groups()->count(); ++i)
      items.push_back(Groups()->itemText(i).toStdString());
    return items;
  }

  std::string index;
  std::unique_ptr<CMontageView> view;
};

TEST_F(MontageFormGroupTest, TheListHoldsTheGroupsOfAnAppliedSchoolOnly) {
  const std::string plain = folder.Write("4B.csv", kClassList).string();
  const std::vector<std::string> school = {"Mrs. Okafor (3 pupils)", "Mr. Brennan (3 pupils)",
                                           "Dr. Lind (3 pupils)", "Staff (2 pupils)"};
  const struct {
    std::string path;
    bool apply;
    std::vector<std::string> items;
  } cases[] = {
      {"", true, {}},
      {index, false, {}},  // typed but not applied
      {index, true, school},
      {plain, true, {}},  // a plain class list is one class
      {PathOf("missing.txt"), true, {}},
      {index, true, school},
  };
  for (const auto& c : cases) {
    Type(FormId::ClassListPath, QString::fromStdString(c.path));
    if (c.apply) Click(FormId::Update);
    EXPECT_EQ(Items(), c.items) << c.path;
    EXPECT_EQ(Enabled(FormId::ClassGroup), !c.items.empty()) << c.path;
  }
}

TEST_F(MontageFormGroupTest, ThePreviewDrawsTheChosenGroupWithItsTeacherAndTellsItsProblemsOnce) {
  Type(FormId::ClassListPath, QString::fromStdString(index));
  Click(FormId::Update);
  const struct {
    int chosen;
    std::size_t drawn;
    // A part of the one message the choice brings, or empty for none.
    std::string told;
  } cases[] = {
      // The first group until another is chosen; Cole's picture is missing.
      {-1, 4, testsupport::kMissingPicture},
      {1, 4, ""},  // Fox's picture is found whatever its case
      {2, 4, "missing-ito.jpg"},
      {3, 3, ""},
      {2, 4, "missing-ito.jpg"},
  };
  for (const auto& c : cases) {
    const std::size_t told = questions.Messages().size();
    if (c.chosen >= 0) Choose(FormId::ClassGroup, c.chosen);
    EXPECT_EQ(Drawn(), c.drawn) << c.chosen;
    EXPECT_TRUE(view->LastDrawn().MainImage) << c.chosen;
    // A redraw for another reason tells nothing again.
    document->UpdateAllViews(HintLayoutEdited);
    Drawn();
    ASSERT_EQ(questions.Messages().size(), told + (c.told.empty() ? 0 : 1)) << c.chosen;
    if (!c.told.empty()) {
      EXPECT_NE(questions.Messages().back().find(c.told), std::string::npos);
    }
  }
  EXPECT_EQ(PreviewSettings::Instance().ClassGroup, "Dr. Lind");
  // Choosing applies nothing of the layout.
  EXPECT_EQ(document->History().NextUndo(), nullptr);

  // The next start shows the same group; the layout file never names it.
  RemakeForm();
  EXPECT_EQ(Groups()->currentText().toStdString(), "Dr. Lind (3 pupils)");
  questions.AnswerPath(PathOf("saved.txt"));
  Click(FormId::SaveAs);
  EXPECT_EQ(ReadFile(PathOf("saved.txt")).find("Lind"), std::string::npos);
}

TEST_F(MontageFormGroupTest, CaptionFieldsAreCheckedForTheGroup) {
  Type(FormId::ClassListPath, QString::fromStdString(index));
  Type(FormId::SampleCaptionLine2, "{Techer}");
  Click(FormId::Update);
  Drawn();
  ASSERT_FALSE(questions.Messages().empty());
  EXPECT_NE(questions.Messages().back().find("caption line 2: unknown field {Techer}"),
            std::string::npos)
      << questions.Messages().back();
}
