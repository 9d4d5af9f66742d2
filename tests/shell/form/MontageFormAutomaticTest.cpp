// The automatic test from the form: Test asks for the range, each step shows one more image and
// applies the form, Stop and an invalid field end the run. A class list waits while the run shows
// the samples, and comes back when it ends.
#include <QApplication>
#include <QDeadlineTimer>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <algorithm>

#include "MontageFormFixture.h"
#include "settings/PreviewSettings.h"
#include "shell/RunTestDlg.h"
#include "shell/form/FormControlIds.h"
#include "shell/form/FormControls.h"

namespace {

class MontageFormAutomaticTest : public MontageFormTest {
 protected:
  MontageFormAutomaticTest() {
    profile->WriteNumber(Profile::SettingsSection, "TestFirstImages", 5);
    profile->WriteNumber(Profile::SettingsSection, "TestLastImages", 8);
    profile->WriteNumber(Profile::SettingsSection, "TestInterval", 2);
    form->SetTestSecond(std::chrono::milliseconds(1));
    form->SetRepaintPreview([this] {
      shown.push_back(PreviewSettings::Instance().NumImages);
      classListsDrawn.push_back(PreviewSettings::Instance().ClassListPath);
      notesShown.push_back(C().ClassListInUse->isVisibleTo(form.get()));
    });
  }

  // Presses Test and answers the parameters dialog with OK or Cancel, noting its texts.
  void PressTest(bool ok) {
    QTimer::singleShot(0, [this, ok] {
      for (QWidget* window : QApplication::topLevelWidgets()) {
        auto* dialog = qobject_cast<RunTestDlg*>(window);
        if (dialog == nullptr || !dialog->isVisible()) continue;
        for (QLabel* label : dialog->findChildren<QLabel*>()) dialogTexts.push_back(label->text());
        if (ok) {
          dialog->accept();
        } else {
          dialog->reject();
        }
      }
    });
    Click(FormId::Test);
  }

  // Starts a run whose second step would come only after an hour, and waits for its first.
  bool StartAndWaitForTheFirstStep() {
    form->SetTestSecond(std::chrono::hours(1));
    PressTest(true);
    return RunUntil([this] { return !shown.empty(); });
  }

  // Runs events until done; a broken run fails the test instead of hanging it.
  static bool RunUntil(const std::function<bool()>& done) {
    const QDeadlineTimer deadline(30000);
    while (!done() && !deadline.hasExpired()) {
      QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
    }
    return done();
  }

  // Applies a class list that names a real file, as the user would before a run.
  std::string ApplyClassList(const std::string& name) {
    const std::string path =
        folder.Write(name, "FirstName,LastName,Picture\nAnn,Lee,\nBo,Ng,\n").string();
    Type(FormId::ClassListPath, QString::fromStdString(path));
    Click(FormId::Update);
    EXPECT_EQ(PreviewSettings::Instance().ClassListPath, path);
    return path;
  }
  bool Noted() const {
    return std::count(dialogTexts.begin(), dialogTexts.end(), QString(kSamplesNote)) == 1;
  }
  bool NoteShown() const { return C().ClassListInUse->isVisibleTo(form.get()); }

  static constexpr const char* kSamplesNote =
      "The test uses the sample images, not the class list.";
  std::vector<std::uint32_t> shown;
  std::vector<std::string> classListsDrawn;
  std::vector<bool> notesShown;
  std::vector<QString> dialogTexts;
};

TEST_F(MontageFormAutomaticTest, ARunShowsEveryCountInTurnThenDisablesStop) {
  EXPECT_FALSE(Enabled(FormId::Stop));
  PressTest(true);
  EXPECT_TRUE(Enabled(FormId::Stop));
  ASSERT_TRUE(RunUntil([this] { return !Enabled(FormId::Stop); }));
  EXPECT_EQ(shown, (std::vector<std::uint32_t>{5, 6, 7, 8}));
  EXPECT_EQ(Text(FormId::NumImages), "8");
  EXPECT_EQ(hints.Count(HintLayoutEdited), 4);
  EXPECT_TRUE(document->IsModified());
  EXPECT_TRUE(questions.Messages().empty());
}

TEST_F(MontageFormAutomaticTest, WithAClassListTheRunShowsTheSamplesAndTheClassComesBackAfter) {
  const std::string path = ApplyClassList("4B.csv");
  EXPECT_TRUE(NoteShown());
  PressTest(true);
  EXPECT_TRUE(Noted());
  ASSERT_TRUE(RunUntil([this] { return !Enabled(FormId::Stop); }));
  EXPECT_EQ(shown, (std::vector<std::uint32_t>{5, 6, 7, 8}));
  EXPECT_EQ(classListsDrawn, std::vector<std::string>(4, ""));
  EXPECT_EQ(notesShown, std::vector<bool>(4, false));
  EXPECT_EQ(PreviewSettings::Instance().ClassListPath, path);
  EXPECT_EQ(Text(FormId::ClassListPath).toStdString(), path);
  EXPECT_TRUE(NoteShown());
  // Update, four steps, and the redraw with the class once the run is over.
  EXPECT_EQ(hints.Count(HintLayoutEdited), 6);
  EXPECT_TRUE(questions.Messages().empty());
}

TEST_F(MontageFormAutomaticTest, TheDialogMentionsTheSamplesOnlyWhenAClassListIsSet) {
  const struct {
    std::string typed;
    bool noted;
  } cases[] = {
      {"", false},
      // The run's first step would apply a typed path, so a typed one counts.
      {"/home/ann/not applied yet.csv", true},
  };
  for (const auto& c : cases) {
    dialogTexts.clear();
    Type(FormId::ClassListPath, QString::fromStdString(c.typed));
    PressTest(false);
    EXPECT_FALSE(dialogTexts.empty());
    EXPECT_EQ(Noted(), c.noted) << c.typed;
  }
  EXPECT_EQ(PreviewSettings::Instance().ClassListPath, "");
}

TEST_F(MontageFormAutomaticTest, StopPutsTheClassListBack) {
  const std::string path = ApplyClassList("4B.csv");
  ASSERT_TRUE(StartAndWaitForTheFirstStep());
  EXPECT_EQ(PreviewSettings::Instance().ClassListPath, "");
  Click(FormId::Stop);
  EXPECT_EQ(PreviewSettings::Instance().ClassListPath, path);
  EXPECT_TRUE(NoteShown());
}

TEST_F(MontageFormAutomaticTest, EditsDuringARunReachTheClassListOnlyWhenItEnds) {
  const std::string chosenDuringRun = ApplyClassList("4B.csv");
  ApplyClassList("5C.csv");
  ASSERT_TRUE(StartAndWaitForTheFirstStep());
  // A path applied during the run is kept for afterwards; the run goes on with the samples.
  Type(FormId::ClassListPath, QString::fromStdString(chosenDuringRun));
  Click(FormId::Update);
  EXPECT_EQ(PreviewSettings::Instance().ClassListPath, "");
  // A new layout shows the settings again, and the field still the user's class list.
  document->SetModifiedFlag(false);
  document->OnNewDocument();
  EXPECT_EQ(Text(FormId::ClassListPath).toStdString(), chosenDuringRun);
  Click(FormId::Stop);
  EXPECT_EQ(PreviewSettings::Instance().ClassListPath, chosenDuringRun);
  EXPECT_TRUE(questions.Asked().empty());
}

TEST_F(MontageFormAutomaticTest, ClosingTheFormDuringARunLeavesTheClassListToBeStored) {
  const std::string path = ApplyClassList("4B.csv");
  ASSERT_TRUE(StartAndWaitForTheFirstStep());
  form.reset();
  EXPECT_EQ(PreviewSettings::Instance().ClassListPath, path);
}

TEST_F(MontageFormAutomaticTest, CancelStartsNothing) {
  PressTest(false);
  EXPECT_FALSE(Enabled(FormId::Stop));
  EXPECT_TRUE(shown.empty());
}

TEST_F(MontageFormAutomaticTest, StopKeepsTheCountLastShown) {
  ASSERT_TRUE(StartAndWaitForTheFirstStep());
  Click(FormId::Stop);
  EXPECT_FALSE(Enabled(FormId::Stop));
  EXPECT_EQ(shown, std::vector<std::uint32_t>{5});
  EXPECT_EQ(PreviewSettings::Instance().NumImages, 5u);
}

TEST_F(MontageFormAutomaticTest, AnInvalidFieldIsReportedOnceAndEndsTheRun) {
  Type(FormId::CropHeight, "0");
  PressTest(true);
  ASSERT_TRUE(RunUntil([this] { return !Enabled(FormId::Stop); }));
  EXPECT_EQ(questions.Messages(), std::vector<std::string>{"Enter an integer between 1 and 100."});
  EXPECT_TRUE(shown.empty());
  EXPECT_EQ(PreviewSettings::Instance().NumImages, 20u);
  EXPECT_EQ(hints.Count(HintLayoutEdited), 0);
}

}  // namespace
